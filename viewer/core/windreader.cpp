#include "windreader.h"

#include "lineitems.h"

#include <cmath>

QList<ViewerWindSample> parseWindFile(const QStringList &lines, const platform::LocalDateTime &start,
                                      const QString &relativeFile, ReadProblems &problems)
{
    QList<ViewerWindSample> wind;
    ProblemRecorder recorder(problems, relativeFile);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList items = splitItems(lines[i], QLatin1Char(','));
        if (items.size() < 3) {
            recorder.add(lineNumber, ReadProblem::MissingValues, {QStringLiteral("wind"), QStringLiteral("3")});
            continue;
        }
        const platform::LocalDateTime t = parseDateTime(items[0]);
        if (t.isNull()) {
            recorder.add(lineNumber, ReadProblem::BadDateTime, {items[0]});
            continue;
        }
        const auto speed = parseNumber(items[1]);
        const auto direction = parseNumber(items[2]);
        if (!speed || !direction) {
            recorder.add(lineNumber, ReadProblem::NotANumber, {speed ? items[2] : items[1]});
            continue;
        }
        if (!(std::fabs(*direction) <= 360.0)) {
            recorder.add(lineNumber, ReadProblem::OutOfRange, {items[2], QStringLiteral("-360"), QStringLiteral("360")});
            continue;
        }
        ViewerWindSample s;
        s.Time = double(secondsFrom(t, start));
        s.Speed = *speed;
        s.Direction = viewerRound(*direction);
        wind.append(s);
    }
    return wind;
}
