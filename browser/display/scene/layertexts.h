// Every text the chart layers draw, in both interface languages, in one table.
#pragma once

#include <appsettings.h>

#include <QString>

enum class LayerText {
    MarkPrefix,  // "MK" & mark number beside each mark
    LinePrefix,  // "L" & line number beside the first end of each line
    Metres,      // scale bar unit below 1000 m
    Kilometres,  // scale bar unit from 1000 m
};

QString layerText(LayerText id, UiLanguage language);
