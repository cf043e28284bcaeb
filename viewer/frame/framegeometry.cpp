#include "framegeometry.h"

#include "viewerprojection.h"

#include <boatcolours.h>

#include <viewerextent.h>

#include <cmath>

namespace {

constexpr double DegToRad = 3.14159265358979323846 / 180.0;
constexpr double RadToDeg = 180.0 / 3.14159265358979323846;
constexpr double RayLength = 600.0;

QString twoDigits(qint64 n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The turn of a hand: the clock measures its angles with 6.28 to the full turn.
QPointF hand(QPointF centre, double turn, double length)
{
    return {centre.x() + length * std::sin(turn), centre.y() - length * std::cos(turn)};
}

} // namespace

QString raceTimeText(double t)
{
    qint64 n = std::llabs(qint64(viewerRound(t)));
    if (n <= 59)
        return QString::number(n);
    QString text;
    if (n > 3000) {
        text = QString::number(n / 3600) + QLatin1Char(':');
        n %= 3600;
    }
    return text + twoDigits(n / 60) + QLatin1Char(':') + twoDigits(n % 60);
}

ViewerText raceTimeLabel(double t, int width, int height)
{
    ViewerText label;
    label.Text = raceTimeText(t);
    label.Colour = viewercolours::White;
    label.Opaque = true;
    label.Background = t > 0 ? viewercolours::Blue : viewercolours::Red;
    if (t > 20 || t < -30) {
        label.FontSize = 15;
        label.Position = QPointF(width - 9 * label.Text.size() - 15, height - 25);
        label.RightLimit = width - 4;
    } else {
        label.FontSize = 50;
        label.Position = QPointF(viewerRound(width / 2.0 - 50) + 5, 15);
    }
    return label;
}

double gridSpacingKm(double heightPixels, double pixelsPerKm)
{
    if (!(pixelsPerKm > 0))
        return 0.1;
    const double q = viewerRound(std::floor(heightPixels / pixelsPerKm * 10) / 4) / 10.0;
    double g = q <= 0.5 ? q : 0.5;
    if (q > 1)
        g = 1;
    if (q > 2)
        g = 2;
    if (q > 5)
        g = 5;
    if (q > 10)
        g = std::floor(q / 10) * 10;
    return std::max(g, 0.1);
}

QString gridSpacingText(double spacingKm)
{
    if (spacingKm >= 1)
        return QString::number(spacingKm) + QStringLiteral("Km");
    return QString::number(viewerRound(spacingKm * 1000)) + QStringLiteral("M");
}

QString BoatSize::text() const
{
    return Enlarged ? QStringLiteral("Size Enlarged") : QStringLiteral("Real Size");
}

BoatSize boatSize(double latScale, double boatLengthMetres, bool enlarge)
{
    BoatSize size;
    double k = latScale * boatLengthMetres / 1852.0;
    if (enlarge && k < 14) {
        k = 14;
        size.Enlarged = true;
    }
    size.Pixels = viewerRound(std::max(k, 6.0));
    return size;
}

const HullOutline &hullOutline(double boatLengthMetres)
{
    static const HullOutline keel{QPointF(0, -50), QPointF(12, -10), QPointF(15, 20),  QPointF(10, 50), QPointF(-10, 50),
                                  QPointF(-15, 20), QPointF(-12, -10), QPointF(0, -50), QPointF(0, -15)};
    static const HullOutline dinghy{QPointF(0, -50), QPointF(10, -50), QPointF(27, 10),  QPointF(20, 50), QPointF(-20, 50),
                                    QPointF(-27, 10), QPointF(-10, -50), QPointF(0, -50), QPointF(0, -20)};
    return boatLengthMetres > 3 ? keel : dinghy;
}

std::array<QPointF, 9> placeHull(const HullOutline &outline, int size, double heading, QPointF at)
{
    const double h = heading * DegToRad;
    const double c = std::cos(h), s = std::sin(h);
    std::array<QPointF, 9> out;
    for (int i = 0; i < 9; ++i) {
        const double x = outline[i].x() * size / 100.0;
        const double y = -outline[i].y() * size / 100.0;
        out[i] = QPointF(at.x() + x * c + y * s, at.y() + x * s - y * c);
    }
    return out;
}

QVector<QPointF> sailPoints(QPointF mastFoot, int size, double twa, double speed, double screenCourse)
{
    if (size <= 8)
        return {};
    const double a = std::fabs(twa) * DegToRad;
    const double side = twa > 0 ? 1.0 : -1.0;
    double alpha = std::atan(10 * std::sin(a) / (speed + 10 * std::cos(a))) * RadToDeg;
    if (std::isnan(alpha))
        alpha = 0;
    if (alpha < 0)
        alpha += 180;
    alpha *= side;
    double beta = alpha / 2 + 180;
    if (beta > 180)
        beta -= 360;
    beta += screenCourse;
    return {mastFoot, screenPoint(mastFoot, beta + 40 * side, 0.1 * size), screenPoint(mastFoot, beta + 16 * side, 0.25 * size),
            screenPoint(mastFoot, beta, 0.5 * size)};
}

double referenceAngle(int displayedWind, bool northUp, int windDirection)
{
    double c = northUp ? displayedWind : displayedWind - windDirection;
    if (c < 0)
        c += 360;
    return c;
}

QVector<ViewerStroke> layLineRays(QPointF at, double c, int up, int down)
{
    struct Ray {
        double direction;
        ViewerRgb colour;
    };
    const Ray rays[] = {{c + 180, LayLineWindColour},         {c, LayLineWindColour},
                        {c + up - 180, LayLineOneSideColour}, {c - up + 180, LayLineOtherSideColour},
                        {c + down - 180, LayLineOneSideColour}, {c - down + 180, LayLineOtherSideColour}};
    QVector<ViewerStroke> out;
    out.reserve(6);
    for (const Ray &r : rays) {
        ViewerStroke s;
        s.Points = {at, screenPoint(at, r.direction, RayLength)};
        s.Colour = r.colour;
        s.Style = ViewerPenStyle::Dotted;
        out << s;
    }
    return out;
}

void addClock(ViewerScene &scene, double tau, int seaPosition, int width, int height)
{
    const QPointF centre(width - 40, height - 65);
    ViewerDisc face;
    face.Centre = centre;
    face.Radius = 30;
    face.Outline = viewercolours::Grey;
    face.OutlineWidth = 5;
    if (seaPosition > 50) {
        const int v = viewerRound(2.0 * seaPosition + 55);
        face.Fill = ViewerRgb{v, v, v};
    } else {
        face.Fill = ViewerRgb{192, 192, 55};
    }
    scene.add(face);

    const double hourTurn = tau * 6.28 / 12 / 3600;
    scene.add(ViewerStroke{{hand(centre, hourTurn, -3), hand(centre, hourTurn, 18)}, viewercolours::Black, 4});
    const double minuteTurn = std::fmod(tau, 3600.0) * 6.28 / 3600;
    scene.add(ViewerStroke{{centre, hand(centre, minuteTurn, 26)}, viewercolours::Grey, 2});
    const double secondTurn = std::fmod(tau, 60.0) * 6.28 / 60;
    scene.add(ViewerStroke{{centre, hand(centre, secondTurn, 27)}, viewercolours::Red, 1});
}

QPointF windMarkPosition(int displayedWind, bool northUp, int windDirection, int compassSize)
{
    const double radius = compassSize / 2.0 - 4;
    const double theta = displayedWind * DegToRad;
    QPointF v(std::sin(theta) * radius, -std::cos(theta) * radius);
    if (!northUp)
        v = turnForWindUp(v, windDirection);
    return {compassSize / 2.0 + v.x() - 4, compassSize / 2.0 + v.y() - 4};
}
