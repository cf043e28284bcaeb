#include "windindicator.h"

#include <numbers.h>

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double DiscRadius = 20.0;
constexpr double NorthArrowRadius = 0.6 * DiscRadius;
constexpr double BarbLength = 7.2;
constexpr double WindApexRadius = 23.0;
constexpr double WindArrowSide = 10.0;

// The point at a screen angle (degrees, 0 up, clockwise) and distance from a centre.
QPointF polar(QPointF centre, double degrees, double r)
{
    const double a = degrees * Pi / 180.0;
    return QPointF(centre.x() + r * std::sin(a), centre.y() - r * std::cos(a));
}

} // namespace

WindIndicatorScene windIndicatorScene(double pictureWidth, double chartRotation,
                                      const WindReading &wind, Colour background)
{
    WindIndicatorScene out;
    LayerScene &scene = out.picture;
    scene.clears = true;
    scene.background = background;
    const QPointF centre(pictureWidth / 2.0, pictureWidth / 2.0 + 10.0);

    SceneCircle disc;
    disc.centre = centre;
    disc.radius = DiscRadius;
    disc.outline = rgb(0, 0, 0);
    disc.fill = rgb(255, 255, 255);
    scene.items.push_back(disc);

    // North arrow: shaft from the south point through the centre, two barbs at the head.
    const QPointF head = polar(centre, -chartRotation, NorthArrowRadius);
    const QPointF tail = polar(centre, 180.0 - chartRotation, NorthArrowRadius);
    const QPointF barb1(head.x() + BarbLength * std::sin((120.0 - chartRotation) * Pi / 180.0),
                        head.y() - BarbLength * std::cos((120.0 - chartRotation) * Pi / 180.0));
    const QPointF barb2(head.x() + BarbLength * std::sin((240.0 - chartRotation) * Pi / 180.0),
                        head.y() - BarbLength * std::cos((240.0 - chartRotation) * Pi / 180.0));
    SceneStroke shaft;
    shaft.points = {tail, head};
    shaft.width = 5;
    scene.items.push_back(shaft);
    SceneStroke barbs;
    barbs.points = {barb1, head, barb2};
    barbs.width = 5;
    scene.items.push_back(barbs);

    const double a = wind.shownDirection - chartRotation;
    const QPointF apex = polar(centre, a, WindApexRadius);
    ScenePolygon arrow;
    arrow.points = {apex, polar(apex, a + 30.0, WindArrowSide), polar(apex, a - 30.0, WindArrowSide)};
    arrow.outline = rgb(255, 0, 0);
    arrow.fill = rgb(255, 0, 0);
    scene.items.push_back(arrow);

    if (wind.hasWind) {
        out.directionText = QString::number(int(std::floor(wind.fileDirection + 0.5)));
        out.speedText = platform::formatNumber(platform::roundTo(wind.shownSpeed, 1), 12);
    }
    return out;
}
