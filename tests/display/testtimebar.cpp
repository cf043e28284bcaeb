// The time bar as plain data: boat 1's upwind and downwind bands, the start and finish
// lines, and the read-out over the bar in both languages.
#include <timebar.h>

#include <QtTest>

class TestTimeBar : public QObject
{
    Q_OBJECT
private slots:
    void bandsShowTheEarlierPointsCourse();
    void linesAtStartAndFinish();
    void readout_data();
    void readout();
};

namespace {

TrackPoint point(double t, double course)
{
    TrackPoint p;
    p.Time = t;
    p.Course = course;
    return p;
}

ReplayClock barOf660()
{
    ReplayClock c;
    c.resetForRace(180, 3600, 3600);
    c.setTimeBarHeight(660);
    return c;
}

} // namespace

void TestTimeBar::bandsShowTheEarlierPointsCourse()
{
    // Wind from 10°: upwind (within 90°) from 0 to 1200 s, downwind to 2400, upwind to the end.
    const ReplayClock c = barOf660();
    BoatTrack t;
    t.Points = {point(-200, 180), point(0, 40), point(1200, 190), point(2400, 330), point(3000, 300), point(3600, 0)};
    const TimeBarScene s = timeBarScene(t, 10, c);
    // Bottom up: the first point paints nothing (only points from the second on do).
    QCOMPARE(s.bands.size(), 3);
    QCOMPARE(s.bands[0].bottom, c.barY(0));
    QCOMPARE(s.bands[0].top, c.barY(1200));
    QVERIFY(s.bands[0].upwind);
    QCOMPARE(s.bands[1].bottom, c.barY(1200));
    QCOMPARE(s.bands[1].top, c.barY(2400));
    QVERIFY(!s.bands[1].upwind);
    // The point at the finish paints from y = 30 down to 50, where every box ends.
    QCOMPARE(s.bands[2].bottom, c.barY(2400));
    QCOMPARE(s.bands[2].top, 30.0);
    QVERIFY(s.bands[2].upwind);
    // A point after the finish reaches above y = 50 in its own colour.
    t.Points.append(point(3700, 180));
    const TimeBarScene after = timeBarScene(t, 10, c);
    bool above = false;
    for (const TimeBarBand &b : after.bands)
        above = above || (b.top == c.barY(3700) && b.bottom == 50.0 && !b.upwind);
    QVERIFY(above);
    QVERIFY(timeBarScene(BoatTrack(), 10, c).bands.isEmpty());
}

void TestTimeBar::linesAtStartAndFinish()
{
    const TimeBarScene s = timeBarScene(BoatTrack(), 0, barOf660());
    QCOMPARE(s.startY, 592.5);
    QCOMPARE(s.finishY, 30.0);
}

void TestTimeBar::readout_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("hints");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");
    QTest::newRow("plain") << true << false << "2008/03/03 10:28:55   (-65 Sec)\n" << QSize(200, 17);
    QTest::newRow("english hints")
        << true << true
        << "2008/03/03 10:28:55   (-65 Sec)\nClick to change the time.\n(White zone =UpWind  Gray zone= DownWind )\n\n"
           "Shift+ Drag & drop to focus play back period.\nShift+Right click to cancel play back period."
        << QSize(260, 81);
    QTest::newRow("japanese hints")
        << false << true
        << "2008/03/03 10:28:55   (-65 Sec)\nクリックで時間を瞬時に変更します\n(白はUpWind、灰色はDownWind )\n\n"
           "Shiftを押しながらマウス左でドラッグ\n＆ドロップすると時間帯を限定できます\n\nShift+右クリックで時間帯を解除します"
        << QSize(220, 100);
}

void TestTimeBar::readout()
{
    QFETCH(bool, english);
    QFETCH(bool, hints);
    QFETCH(QString, text);
    QFETCH(QSize, size);
    RaceControl race;
    race.StartTime = platform::LocalDateTime::fromParts(2008, 3, 3, 10, 30, 0);
    const UiLanguage language = english ? UiLanguage::English : UiLanguage::Japanese;
    QCOMPARE(timeBarReadout(race, -65, hints, language), text);
    QCOMPARE(timeBarReadoutSize(hints, language), size);
}

QTEST_GUILESS_MAIN(TestTimeBar)
#include "testtimebar.moc"
