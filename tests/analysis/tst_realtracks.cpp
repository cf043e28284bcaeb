#include "racefixture.h"

#include <gpxreader.h>
#include <legstats.h>
#include <trackcursor.h>

#include <QFile>
#include <QtTest>

// Real keelboat tracks from the Gulf of Gdansk, sampled every one to three seconds with the
// gaps and repeats a receiver leaves: the moving search must find, second by second, the same
// point pair as a search from the first point would.
class TestRealTracks : public QObject
{
    Q_OBJECT
private slots:
    void cursorMatchesFullSearch_data();
    void cursorMatchesFullSearch();
};

namespace {

BoatTrack readTrack(const QString &path, const RaceExtent &x, const platform::LocalDateTime &start)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const tools::GpxReadResult r = tools::readGpx(&f);
    BoatTrack t;
    for (const tools::TrackFix &fix : r.fixes) {
        const double time = double(start.secsTo(fix.Utc));
        // The load drops a fix at the same second as the one before.
        if (!t.Points.isEmpty() && t.Points.last().Time == time)
            continue;
        t.Points.append({time, fix.LatDeg * 60, fix.LonDeg * 60, 0, 0, 0});
    }
    fixture::deriveTrack(t, x);
    return t;
}

// The pair rule written out plainly: the first k from the start.
std::optional<TrackPosition> fullSearch(const BoatTrack &t, double time)
{
    const auto &p = t.Points;
    for (int k = 0; k + 1 < p.size(); ++k) {
        if (p[k].Time <= time && time < p[k + 1].Time) {
            const double f = (time - p[k].Time) / (p[k + 1].Time - p[k].Time);
            return TrackPosition{p[k].Lat + f * (p[k + 1].Lat - p[k].Lat), p[k].Lon + f * (p[k + 1].Lon - p[k].Lon)};
        }
    }
    return std::nullopt;
}

} // namespace

void TestRealTracks::cursorMatchesFullSearch_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Olimpia 1") << "olimpia1_rerata_26_oct.gpx";
    QTest::newRow("Olimpia 5") << "olimpia5_2025-10-26-8_43.gpx";
}

void TestRealTracks::cursorMatchesFullSearch()
{
    QFETCH(QString, file);
    const QString path = QStringLiteral(ORVANE_SHARED_DATA "/gdansk-3boats/") + file;
    if (!QFile::exists(path))
        QSKIP("shared real tracks not present");
    const RaceExtent x = fixture::plainExtent(54.38 * 60, 18.785 * 60);
    // One of the day's races, 11:10 local (10:10 UTC), held as UTC here.
    const auto start = platform::LocalDateTime::fromParts(2025, 10, 26, 10, 10, 0);
    const BoatTrack t = readTrack(path, x, start);
    QVERIFY(t.PointCount() > 1000);
    // A race window from before the first fix to after the last, scanned twice as the
    // passing scans do (from the start again for each).
    const double from = t.Points.first().Time - 30, to = t.Points.last().Time + 30;
    TrackCursor c(t);
    int compared = 0;
    for (int pass = 0; pass < 2; ++pass) {
        c.restart();
        for (double s = from; s <= to; s += 1) {
            const auto got = c.TrackPositionAt(s);
            const auto want = fullSearch(t, s);
            QCOMPARE(bool(got), bool(want));
            if (got) {
                QCOMPARE(got->Lat, want->Lat);
                QCOMPARE(got->Lon, want->Lon);
                ++compared;
            }
        }
    }
    QVERIFY(compared > 1000);
}

QTEST_GUILESS_MAIN(TestRealTracks)
#include "tst_realtracks.moc"
