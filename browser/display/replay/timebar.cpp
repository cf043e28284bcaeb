#include "timebar.h"

#include "replaytexts.h"

#include <numbers.h>

#include <cmath>

namespace {

constexpr double BoxTop = 50.0; // the boxes of the points all reach up to here

} // namespace

TimeBarScene timeBarScene(const BoatTrack &boat1, double windDirection, const ReplayClock &clock)
{
    TimeBarScene scene;
    scene.startY = clock.barY(0.0);
    scene.finishY = ReplayClock::BarMargin;
    const QVector<TrackPoint> &p = boat1.Points;
    const int n = int(p.size());
    // Point k paints [min(y_k, 50), max(y_k, 50)]; later points win. Walking from the last
    // point back, each point keeps what no later point has covered.
    double coveredBelow = BoxTop; // later points cover [coveredAbove, coveredBelow]
    double coveredAbove = BoxTop;
    QVector<TimeBarBand> reversed;
    for (int k = n - 1; k >= 1; --k) {
        const double y = clock.barY(p[k].Time);
        const bool upwind = std::fabs(platform::foldAngle(p[k].Course - windDirection)) < 90.0;
        const double top = std::min(y, BoxTop), bottom = std::max(y, BoxTop);
        auto add = [&](double a, double b) {
            if (b <= a)
                return;
            if (!reversed.isEmpty() && reversed.last().upwind == upwind
                && (reversed.last().top == b || reversed.last().bottom == a)) {
                reversed.last().top = std::min(reversed.last().top, a);
                reversed.last().bottom = std::max(reversed.last().bottom, b);
                return;
            }
            reversed.append(TimeBarBand{a, b, upwind});
        };
        if (bottom > coveredBelow) {
            add(coveredBelow, bottom);
            coveredBelow = bottom;
        }
        if (top < coveredAbove) {
            add(top, coveredAbove);
            coveredAbove = top;
        }
    }
    scene.bands = QVector<TimeBarBand>(reversed.rbegin(), reversed.rend());
    return scene;
}

QString timeBarReadout(const RaceControl &race, double T, bool hintsOn, UiLanguage language)
{
    QString text = race.StartTime.addSecs(qint64(T)).toString() + QStringLiteral("   (")
        + platform::formatNumber(T) + QStringLiteral(" Sec)") + QLatin1Char('\n');
    if (hintsOn)
        text += replayText(ReplayText::TimeBarHint, language);
    return text;
}

QSize timeBarReadoutSize(bool hintsOn, UiLanguage language)
{
    if (!hintsOn)
        return {200, 17};
    return language == UiLanguage::English ? QSize(260, 81) : QSize(220, 100);
}
