#include "timebar.h"

#include <boatstate.h>
#include <daylight.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int BarFrame = 1; // the black frame round the bar
constexpr int BarInnerRight = 28;

} // namespace

TimeBarGeometry timeBarGeometry(int panelHeight)
{
    TimeBarGeometry g;
    g.PanelHeight = panelHeight;
    g.BarHeight = std::max(panelHeight - 60, 1);
    return g;
}

int periodLength(const PlaybackPeriod &period)
{
    return std::max(1, viewerRound(period.End - period.Start));
}

TimeBarPicture drawTimeBar(const LoadedViewerRace &shown, int panelHeight)
{
    const ViewerRace &race = shown.Race;
    const PlaybackPeriod &period = race.Period;
    TimeBarPicture picture;
    picture.Geometry = timeBarGeometry(panelHeight);
    const int height = picture.Geometry.BarHeight;
    const double length = periodLength(period);

    // Each sample fills the bar from the top down to its own height, in time order, so a row
    // ends up with the course of the latest sample at or below it: the sample at or before the
    // row's time.
    if (!race.Boats.isEmpty()) {
        QVector<ViewerSample> samples;
        for (const ViewerSample &s : race.Boats.first().Samples) {
            if (s.Time > period.Start && s.Time < period.End)
                samples << s;
        }
        std::stable_sort(samples.begin(), samples.end(),
                         [](const ViewerSample &a, const ViewerSample &b) { return a.Time < b.Time; });
        for (int k = 0; k < samples.size(); ++k) {
            const int bottom = viewerRound((period.End - samples[k].Time) * (height - 1) / length) - 1;
            const int top = k + 1 < samples.size()
                                ? viewerRound((period.End - samples[k + 1].Time) * (height - 1) / length)
                                : BarFrame;
            const int from = std::max(top, BarFrame);
            if (bottom < from)
                continue;
            const bool upwind = std::fabs(foldDegrees(samples[k].Course - race.WindDirection)) < 90;
            if (!picture.Bands.isEmpty() && picture.Bands.last().Upwind == upwind && picture.Bands.last().Top <= bottom + 1)
                picture.Bands.last().Top = std::min(picture.Bands.last().Top, from);
            else
                picture.Bands.append(TimeBarBand{from, bottom, upwind});
        }
        std::reverse(picture.Bands.begin(), picture.Bands.end());
    }
    picture.StartRow = viewerRound((height - 1) * period.End / length);

    const TimeBarGeometry &g = picture.Geometry;
    picture.Shade.resize(g.PanelHeight);
    for (int y = 0; y < g.PanelHeight; ++y) {
        const double t = viewerRound(period.End - (y - 30.0) / height * length);
        const double b = daylightBrightness(shown.Derived.Daylight, timeOfDay(shown.Derived.Daylight, t));
        picture.Shade[y] = viewerRound(b * 2.55);
    }
    return picture;
}

double timeAtBar(const PlaybackPeriod &period, int barHeight, double y)
{
    const double t = viewerRound(period.End - y / std::max(barHeight, 1) * periodLength(period));
    return std::clamp(t, period.Start, period.End);
}

int timePointerTop(const PlaybackPeriod &period, int barHeight, double t)
{
    return viewerRound((period.End - t) * barHeight / periodLength(period)) + 28;
}

QVector<PreviewPosition> previewPositions(const ViewerRace &race, double t)
{
    QVector<PreviewPosition> out;
    out.reserve(race.boatCount());
    for (const ViewerBoat &boat : race.Boats) {
        PreviewPosition p;
        if (const int j = findSegment(boat, t)) {
            p.Valid = true;
            p.Lat = boat.Samples[j - 1].Lat;
            p.Lon = boat.Samples[j - 1].Lon;
        }
        out << p;
    }
    return out;
}
