#include "racecontrol.h"

#include <QRegularExpression>

Colour boatColour(int boatNumber)
{
    static constexpr Colour palette[15] = {
        rgb(255, 0, 0),   rgb(0, 0, 255),   rgb(0, 128, 0),   rgb(128, 128, 0), rgb(128, 0, 128),
        rgb(0, 128, 128), rgb(0, 0, 0),     rgb(128, 128, 128), rgb(192, 192, 0), rgb(96, 96, 0),
        rgb(192, 0, 0),   rgb(0, 0, 192),   rgb(0, 128, 0),   rgb(128, 128, 0), rgb(128, 0, 128),
    };
    int n = boatNumber;
    if (n > 30)
        n -= 30;
    if (n > 15)
        n -= 15;
    if (n < 1 || n > 15)
        return rgb(0, 0, 0);
    return palette[n - 1];
}

CourseEntry CourseEntry::parse(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(MK|L)(\\d{1,3})$"));
    const auto m = re.match(text.trimmed());
    CourseEntry e;
    if (!m.hasMatch())
        return e;
    e.number = m.captured(2).toInt();
    if (e.number < 1)
        return e;
    e.kind = m.captured(1) == QLatin1String("MK") ? Mark : Line;
    return e;
}

QString CourseEntry::toString() const
{
    switch (kind) {
    case Mark: return QStringLiteral("MK%1").arg(number);
    case Line: return QStringLiteral("L%1").arg(number);
    case Invalid: break;
    }
    return {};
}

void RaceControl::colourBoats()
{
    for (int i = 0; i < Boats.size(); ++i)
        Boats[i].colour = boatColour(i + 1);
}
