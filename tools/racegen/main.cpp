// racegen: writes simulated races into an application folder.
//
//   racegen --preset demo --out DIR       the demo races of the application folder
//   racegen --preset bench50 --out DIR    the 50-boat, 4-hour benchmark race (about 37 MB)
//   racegen --preset keel --out DIR --seed 7
#include "racegenerator.h"

#include <racecontrolfile.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("racegen"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulates sailing races and writes their race control, track and wind files."));
    parser.addHelpOption();
    const QCommandLineOption presetOption(QStringLiteral("preset"),
                                          QStringLiteral("demo, or one race: %1.").arg(tools::presetNames().join(QStringLiteral(", "))),
                                          QStringLiteral("name"), QStringLiteral("demo"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Application folder to write into."),
                                       QStringLiteral("dir"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed instead of the preset's own."),
                                        QStringLiteral("n"));
    parser.addOption(presetOption);
    parser.addOption(outOption);
    parser.addOption(seedOption);
    parser.process(app);

    QTextStream err(stderr);
    if (!parser.isSet(outOption)) {
        err << "racegen: --out DIR is needed\n";
        return 2;
    }
    const QString out = QDir(parser.value(outOption)).absolutePath();
    const QString preset = parser.value(presetOption);

    QList<tools::RaceSpec> races;
    if (preset == QLatin1String("demo")) {
        races = tools::demoRaces();
    } else if (const auto found = tools::presetRace(preset)) {
        races << *found;
    } else {
        err << "racegen: unknown preset " << preset << " (demo, " << tools::presetNames().join(QStringLiteral(", ")) << ")\n";
        return 2;
    }
    if (parser.isSet(seedOption)) {
        bool ok = false;
        const quint64 seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            err << "racegen: --seed takes a whole number\n";
            return 2;
        }
        for (tools::RaceSpec &r : races)
            r.Seed = seed;
    }

    for (const tools::RaceSpec &recipe : std::as_const(races)) {
        const tools::GeneratedRace race = tools::generateRace(recipe);
        QString error;
        if (!tools::writeRace(race, out, &error)) {
            err << "racegen: " << error << "\n";
            return 1;
        }
    }
    // The demo folder opens on the keel boat race in viewing mode.
    if (preset == QLatin1String("demo")) {
        QString error;
        if (!writeStartupRaceFile(out, races.first().RaceFileName, &error)) {
            err << "racegen: " << error << "\n";
            return 1;
        }
    }
    return 0;
}
