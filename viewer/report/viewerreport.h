// What orvane2007-report prints: a race as the viewer loaded it, with everything the viewer
// derived from it, as JSON. Built from the viewer's own core, so the figures are the ones the
// viewer plays.
//
// Units as inside the viewer: times in seconds from the start time ST (date-times as
// "yyyy/mm/dd hh:mm:ss" local time), positions in minutes of arc, speeds in knots, angles in
// degrees. A passing time of 1000000 means "not passed"; a leader boat of 0 means nobody passed.
#pragma once

#include <readproblem.h>
#include <viewerloader.h>

#include <QJsonObject>

struct ViewerReportOptions {
    bool samples = false; // each boat's samples as [time, lat, lon, speed, course]
    bool coast = false;   // the coast lines as polylines of [lat, lon]
};

QJsonObject viewerReportJson(const LoadedViewerRace &loaded, const ReadProblems &problems, int language,
                             const ViewerReportOptions &options = {});
