// The six sea colour buttons (BCOL1 … BCOL6) and the chart colours they give.
#pragma once

#include <appsettings.h>

#include <array>

constexpr int SeaColourCount = 6;

// Background colours of BCOL1 … BCOL6, lightest first; set on the buttons at each race load.
constexpr std::array<Colour, SeaColourCount> SeaColourButtons = {
    rgb(0, 255, 255), rgb(0, 180, 240), rgb(0, 115, 240),
    rgb(0, 70, 205),  rgb(0, 70, 136),  rgb(0, 0, 96),
};

struct ChartColours {
    Colour background = SeaColourButtons[0]; // sea: the chart, overview, wind indicator …
    Colour foreground = rgb(0, 0, 0);        // coast lines, scale bar, labels, "ZOOM"
};

// Black on the lightest sea colour, white on every other one (the text must stay readable on
// the dark blues).
Colour chartForeground(Colour background);

// The colours of button n (1 … 6); button 1 for a number out of range.
ChartColours seaColourButton(int buttonNumber);

// A sea colour button was pressed: the chart takes its colour, AppSettings.SeaColour keeps it
// for the next pictures (overview, wind indicator, boat symbols, Picture12, Text15) and the
// foreground follows. The window then recolours those pictures and redraws the overview.
ChartColours ApplySeaColour(AppSettings &settings, int buttonNumber);
