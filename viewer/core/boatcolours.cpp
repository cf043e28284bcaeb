#include "boatcolours.h"

namespace {

constexpr ViewerRgb BoatColours[BoatColourCount] = {
    {255, 0, 0},   {0, 0, 255},   {0, 128, 0},     {128, 128, 0}, {128, 0, 128},
    {0, 128, 128}, {0, 0, 0},     {128, 128, 128}, {192, 192, 0}, {96, 96, 0},
    {192, 0, 0},   {0, 0, 192},   {0, 128, 0},     {128, 128, 0}, {128, 0, 128},
};

constexpr const char *KmlColours[KmlColourCount] = {
    "FFFF0000", "FF00FF00", "FF0000FF", "FF00FFFF", "FFFF00FF", "FFFFFF00", "FFFFFFFF", "FFFF8080",
    "FF80FF80", "FF8080FF", "FFFF8000", "FF80FF00", "FF8000FF", "FFFF0080", "FF00FF80", "FF0080FF",
};

int cycle(int number, int length)
{
    const int i = (number - 1) % length;
    return i < 0 ? i + length : i;
}

} // namespace

ViewerRgb boatColour(int boatNumber)
{
    return BoatColours[cycle(boatNumber, BoatColourCount)];
}

QString boatKmlColour(int boatNumber)
{
    return QString::fromLatin1(KmlColours[cycle(boatNumber, BoatColourCount)]);
}

QString kmlColour(int k)
{
    return QString::fromLatin1(KmlColours[cycle(k, KmlColourCount)]);
}

void assignBoatColours(ViewerRace &race)
{
    for (int i = 0; i < race.Boats.size(); ++i) {
        race.Boats[i].Colour = boatColour(i + 1);
        race.Boats[i].KmlColour = boatKmlColour(i + 1);
    }
}
