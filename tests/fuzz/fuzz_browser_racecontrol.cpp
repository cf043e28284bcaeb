// orvane's race control file reader and writer. Beyond not crashing: a file read and written
// back, then read and written again, gives the same lines (the writer is a fixed point of
// reading), so no edit of a damaged file drifts or drops what the first write kept.
#include "fuzzsupport.h"

#include <fileproblem.h>
#include <racecontrolfile.h>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzz::textLines(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    FileProblems problems;
    RaceControl rc;
    {
        ProblemReporter reporter(&problems, QStringLiteral("raceadmin/race.txt"));
        parseRaceControl(lines, rc, &reporter);
    }
    for (const FileProblem &p : std::as_const(problems)) {
        (void)p.toString(UiLanguage::English);
        (void)p.toString(UiLanguage::Japanese);
    }
    updateDerivedTimes(rc);
    const QStringList once = formatRaceControl(rc);

    RaceControl again;
    parseRaceControl(once, again);
    const QStringList twice = formatRaceControl(again);
    if (twice != once) {
        // Control characters shown, so that a NUL does not end the message.
        const auto shown = [](const QStringList &lines) {
            QByteArray text;
            for (const QString &l : lines) {
                for (QChar c : l)
                    text += c.unicode() < 32 ? "\\x" + QByteArray::number(c.unicode(), 16) : QString(c).toUtf8();
                text += '\n';
            }
            return text;
        };
        std::fprintf(stderr, "written once:\n%s\nwritten twice:\n%s\n", shown(once).constData(), shown(twice).constData());
        std::abort();
    }
    if (!lines.isEmpty())
        (void)interfaceLanguageOf(QStringView(lines.first()).mid(lines.first().indexOf(u',') + 1));
    return 0;
}
