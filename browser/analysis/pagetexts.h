// Every text of the analysis pages in both languages, in one table: the Data page's table and
// graph titles, its factor chart legend, the Graph page's headers, the wind direction strip's
// caption and the questions and messages of the manual wind entry.
//
// The captions of the page controls (the mode buttons Time, Dist, SPD, ANA, the exit button,
// "Make Wind Data") and the wind entry button's hint are the race display's and live with its
// captions (displaytexts.h).
#pragma once

#include <QString>

enum class PageTextId {
    // Data page, tables: titles by mode (accumulated table, leg table).
    AccTableTime, LegTableTime,
    AccTableDistance, LegTableDistance,
    AccTableSpeed, LegTableSpeed,
    BoatNameHeader,
    // Data page, difference graphs: titles by mode (accumulated graph, leg graph).
    AccGraphTime, LegGraphTime,
    AccGraphDistance, LegGraphDistance,
    AccGraphSpeed, LegGraphSpeed,
    // Data page, factor chart.
    FactorTitle, FactorLegendTime, FactorLegendDistance, FactorLegendSpeed, FactorWholeRace,
    // Graph page headers and their wind parts (the same in both languages).
    GraphDirectionHeader, GraphDirectionWindPart, GraphSpeedHeader, GraphSpeedWindPart,
    // The wind direction strip under the wind indicator.
    WindStripCaption,
    // Manual wind entry.
    WindSaveQuestion, WindSaveCaption,
    WindOverwriteQuestion, WindOverwriteCaption,
    WindLinkFailed,
};

// The text in the chosen language.
QString pageText(PageTextId id, bool english);
