// Real tracks: three keel boats recorded on the Gulf of Gdansk (GPX, UTC), converted with the
// GPX converter in each of the three coordinate forms (one boat's log split over two files),
// made into a race with a race control file (TD 1, one of the day's race windows) and loaded
// by the system's own load. Skipped when the shared data folder is absent.
#include <gpxreader.h>

#include <dialogs.h>
#include <racecontrolfile.h>
#include <raceloader.h>
#include <textfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace tools;

class TestGdanskRace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertedRaceLoads();

private:
    QString m_data;
};

void TestGdanskRace::initTestCase()
{
    m_data = QStringLiteral(ORVANE_SHARED_DATA "/gdansk-3boats");
    if (!QFileInfo::exists(m_data + QStringLiteral("/olimpia1_rerata_26_oct.gpx")))
        QSKIP("the shared Gdansk tracks are not here");
}

void TestGdanskRace::convertedRaceLoads()
{
    struct Boat {
        const char *name;
        QStringList gpx;
        TrackUnit unit;
        const char *trackFile;
    };
    const QList<Boat> boats{
        {"Olimpia 1", {"olimpia1_rerata_26_oct.gpx"}, TrackUnit::DM, "OLIMPIA1.trk"},
        {"Olimpia 2", {"olimpia2_activity_20802793653_races.gpx", "olimpia2_activity_20800358321_warmup.gpx"}, TrackUnit::DMS, "OLIMPIA2.TRK"},
        {"Olimpia 5", {"olimpia5_2025-10-26-8_43.gpx"}, TrackUnit::DEG, "OLIMPIA5.dtr"},
    };

    QTemporaryDir app;
    for (const char *folder : {"raceadmin", "gpsdat", "winddat"})
        QVERIFY(QDir(app.path()).mkpath(QLatin1String(folder)));

    RaceControl rc;
    rc.FileName = QStringLiteral("gdansk_race2.txt");
    rc.Title1 = QStringLiteral("Gulf of Gdansk, 26 Oct 2025");
    rc.Title2 = QStringLiteral("Race 2");
    rc.StartTime = platform::LocalDateTime::parse(u"2025/10/26 11:10:00");
    rc.FinishTime = platform::LocalDateTime::parse(u"2025/10/26 11:55:00");
    rc.TimeDifference = 1;
    rc.BoatLength = 8.0f;
    for (const Boat &b : boats) {
        QList<QList<TrackFix>> parts;
        for (const QString &file : b.gpx) {
            QFile f(m_data + u'/' + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const GpxReadResult r = readGpx(&f);
            QVERIFY2(r.ok, qPrintable(file + QStringLiteral(": ") + r.error));
            QCOMPARE(r.zonelessTimes, 0); // Garmin writes UTC with "Z"
            parts << r.fixes;
        }
        TrackFileOptions format;
        format.Unit = b.unit;
        format.DateForm = b.unit == TrackUnit::DEG ? TrackDateForm::Slashed : TrackDateForm::MonthName;
        const QList<TrackFix> fixes = mergeTrackFixes(parts);
        for (int k = 1; k < fixes.size(); ++k)
            QVERIFY(fixes[k - 1].Utc < fixes[k].Utc);
        QString error;
        QVERIFY2(platform::writeTextFile(app.path() + QStringLiteral("/gpsdat/") + QLatin1String(b.trackFile),
                                         trackFileLinesForGpx(fixes, format), &error),
                 qPrintable(error));
        rc.Boats << BoatEntry{QLatin1String(b.trackFile), QLatin1String(b.name), boatColour(int(rc.Boats.size()) + 1)};
    }

    AppSettings settings;
    settings.ApplicationFolder = app.path();
    QVERIFY(WriteRaceControl(settings, rc));

    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    RaceControl loaded;
    loaded.FileName = rc.FileName;
    RaceData data;
    QVERIFY(LoadRace(settings, loaded, data).ok);
    QVERIFY2(dialogs.shown.isEmpty(), qPrintable(dialogs.messages().join(u'\n')));
    QCOMPARE(loaded.TimeDifference, qint16(1));
    QCOMPARE(loaded.boatCount(), 3);
    QCOMPARE(loaded.RaceDuration, qint64(45 * 60));

    for (int b = 0; b < loaded.boatCount(); ++b) {
        const BoatTrack &t = data.Tracks[b];
        const QByteArray name = loaded.Boats[b].Name.toUtf8();
        QVERIFY2(t.PointCount() > 45 * 60 / 4, name.constData()); // fixes every 1 to 3 s
        // UTC plus one hour: the first fix taken is that of the window's first minute
        // (3 minutes 30 before the start, cut down to the minute), not eight hours off.
        QVERIFY2(t.Points.first().Time >= -240 && t.Points.first().Time <= -200, name.constData());
        QVERIFY2(t.Points.last().Time >= 45 * 60 - 10 && t.Points.last().Time < 45 * 60 + 60, name.constData());
        double maxSpeed = 0.0;
        for (const TrackPoint &p : t.Points) {
            QVERIFY2(p.Lat > 54.366 * 60 && p.Lat < 54.395 * 60, name.constData());
            QVERIFY2(p.Lon > 18.771 * 60 && p.Lon < 18.800 * 60, name.constData());
            maxSpeed = std::max(maxSpeed, p.Speed);
        }
        const double averageKn = t.Points.last().Distance / ((t.Points.last().Time - t.Points.first().Time) / 3600.0);
        QVERIFY2(averageKn > 1.5 && averageKn < 9.0, qPrintable(QStringLiteral("%1: %2 kn").arg(QString::fromUtf8(name)).arg(averageKn)));
    }
    QVERIFY(data.Extent.MinLat > 54.366 * 60 && data.Extent.MaxLat < 54.395 * 60);
}

QTEST_GUILESS_MAIN(TestGdanskRace)
#include "testgdanskrace.moc"
