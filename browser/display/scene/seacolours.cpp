#include "seacolours.h"

Colour chartForeground(Colour background)
{
    return background == SeaColourButtons[0] ? rgb(0, 0, 0) : rgb(255, 255, 255);
}

ChartColours seaColourButton(int buttonNumber)
{
    if (buttonNumber < 1 || buttonNumber > SeaColourCount)
        buttonNumber = 1;
    ChartColours c;
    c.background = SeaColourButtons[size_t(buttonNumber - 1)];
    c.foreground = chartForeground(c.background);
    return c;
}

ChartColours ApplySeaColour(AppSettings &settings, int buttonNumber)
{
    const ChartColours c = seaColourButton(buttonNumber);
    settings.SeaColour = c.background;
    return c;
}
