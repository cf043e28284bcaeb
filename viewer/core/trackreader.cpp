#include "trackreader.h"

#include "lineitems.h"

#include <textfile.h>

#include <cstring>

namespace {

constexpr qint64 SecondsPerDay = 86400;

bool isBlank(char c)
{
    // What QString::trimmed() removes of ASCII text.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

QByteArrayView trimmedView(QByteArrayView v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && isBlank(v[b]))
        ++b;
    while (e > b && isBlank(v[e - 1]))
        --e;
    return v.sliced(b, e - b);
}

// The items of a line as splitItems takes them apart with a blank as separator, on bytes (the
// sample lines are ASCII). Stores the first MaxStored items; returns how many there are.
constexpr int MaxStored = 6;
int sampleItems(QByteArrayView line, QByteArrayView (&items)[MaxStored])
{
    static constexpr char Zero[] = "0";
    int count = 0;
    QByteArrayView rest = line;
    for (;;) {
        const qsizetype p = rest.indexOf(' ');
        if (p < 0)
            break;
        const QByteArrayView item = p == 0 ? QByteArrayView(Zero, 1) : trimmedView(rest.first(p));
        if (count < MaxStored)
            items[count] = item;
        ++count;
        rest = trimmedView(rest.sliced(p + 1));
    }
    const QByteArrayView last = trimmedView(rest);
    if (count < MaxStored)
        items[count] = last.isEmpty() && count > 0 ? QByteArrayView(Zero, 1) : last;
    return count + 1;
}

qint64 absoluteSeconds(const platform::LocalDateTime &t)
{
    return t.date().toJulianDay() * SecondsPerDay + t.secondsOfDay();
}

// The notation a line switches to: "DMS" or "DEG" anywhere in it (DEG wins when it holds both).
std::optional<CoordinateNotation> notationSwitch(QByteArrayView line)
{
    std::optional<CoordinateNotation> found;
    const char *p = line.data();
    const char *const end = p + line.size();
    while (end - p >= 3 && (p = static_cast<const char *>(memchr(p, 'D', size_t(end - p - 2)))) != nullptr) {
        if (p[1] == 'M' && p[2] == 'S' && !found)
            found = CoordinateNotation::DMS;
        else if (p[1] == 'E' && p[2] == 'G')
            return CoordinateNotation::DEG;
        ++p;
    }
    return found;
}

// Room for the samples of a file before it is read, from the length of its first "T" line; a
// file with shorter records later grows as it is read.
qsizetype expectedSamples(QByteArrayView bytes)
{
    const qsizetype room = platform::expectedRecords(bytes, 'T');
    return room > 0 ? room : 16;
}

} // namespace

TrackWindow trackWindowOf(const ViewerRace &race)
{
    TrackWindow w;
    w.StartUtc = race.StartUtc;
    w.FinishUtc = race.FinishUtc;
    w.RaceDate = race.startDate();
    w.PreStartSeconds = race.PreStartSeconds;
    return w;
}

int meanSamplingInterval(const QVector<ViewerSample> &samples)
{
    const qsizetype count = samples.size();
    double mean = 1.0;
    if (count > 10)
        mean = (samples[count - 6].Time - samples[4].Time) / double(count - 10);
    else if (count >= 2)
        mean = (samples[count - 1].Time - samples[0].Time) / double(count - 1);
    return std::max(1, viewerRound(mean));
}

void parseTrack(QByteArrayView bytes, const TrackWindow &window, ViewerBoat &boat, const QString &relativeFile,
                ReadProblems &problems)
{
    QVector<ViewerSample> samples;
    samples.reserve(expectedSamples(bytes));
    CoordinateNotation notation = CoordinateNotation::DM;

    const bool hasStart = !window.StartUtc.isNull();
    const bool hasFinish = !window.FinishUtc.isNull();
    const qint64 start = hasStart ? absoluteSeconds(window.StartUtc) : 0;
    const qint64 finish = hasFinish ? absoluteSeconds(window.FinishUtc) : 0;
    const qint64 raceDay = window.RaceDate.isValid() ? window.RaceDate.toJulianDay() : 0;
    const qint64 farDay = QDate(2000, 1, 1).toJulianDay();
    const qint64 earliest = -qint64(window.PreStartSeconds) - 60;

    // The date item changes once a day at most: keep the last one read.
    QByteArray lastDateText;
    qint64 lastDay = 0;
    bool lastDateOk = false;
    bool lastDateFar = false;
    int farSamples = 0, firstFarLine = 0;

    ProblemRecorder recorder(problems, relativeFile);
    auto report = [&recorder](int line, ReadProblem::Kind kind, QStringList args) {
        recorder.add(line, kind, std::move(args));
    };

    // Lines end in CR LF or LF; a file without any LF has its lines ended by CR alone.
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    const char lineEnd = bytes.contains('\n') ? '\n' : '\r';
    int lineNumber = 0;
    while (p < end) {
        const char *eol = static_cast<const char *>(memchr(p, lineEnd, size_t(end - p)));
        if (!eol)
            eol = end;
        QByteArrayView line(p, eol - p);
        if (line.endsWith('\r'))
            line.chop(1);
        ++lineNumber;
        p = eol + 1;

        if (const auto n = notationSwitch(line))
            notation = *n;

        QByteArrayView items[MaxStored];
        const int count = sampleItems(line, items);
        if (!memchr(items[0].data(), 'T', size_t(items[0].size())))
            continue;
        if (count != 6) {
            report(lineNumber, ReadProblem::NotASample, {QString::number(count)});
            continue;
        }

        if (items[3] != QByteArrayView(lastDateText)) {
            lastDateText = items[3].toByteArray();
            const QDate date = parseTrackDate(items[3]);
            lastDateOk = date.isValid();
            lastDay = lastDateOk ? date.toJulianDay() : 0;
            lastDateFar = lastDateOk && raceDay != 0 && std::abs(lastDay - raceDay) > 364;
            if (lastDateFar)
                lastDay = farDay;
        }
        const auto timeOfDay = parseTimeOfDay(items[4]);
        if (!lastDateOk || !timeOfDay) {
            report(lineNumber, ReadProblem::BadDateTime,
                   {QString::fromLatin1(items[3]) + QLatin1Char(' ') + QString::fromLatin1(items[4])});
            continue;
        }
        if (lastDateFar) {
            if (farSamples++ == 0)
                firstFarLine = lineNumber;
        }
        const qint64 t = lastDay * SecondsPerDay + *timeOfDay;
        const qint64 c = hasStart ? t - start + boat.OffsetSeconds : UnconvertibleSeconds;
        const qint64 e = hasFinish ? t - finish : UnconvertibleSeconds;
        if (!(c > earliest && e < 30))
            continue;

        const auto lat = parseCoordinate(items[1], notation);
        const auto lon = parseCoordinate(items[2], notation);
        if (!lat || !lon) {
            report(lineNumber, ReadProblem::BadCoordinate, {QString::fromLatin1(lat ? items[2] : items[1])});
            continue;
        }
        ViewerSample s;
        s.Time = double(c);
        s.Lat = *lat;
        s.Lon = *lon;
        samples.append(s);
    }
    if (farSamples > 0) {
        report(firstFarLine, ReadProblem::DatesTooFar,
               {QString::number(farSamples), window.RaceDate.toString(QStringLiteral("yyyy/MM/dd"))});
    }
    boat.Samples = std::move(samples);
    boat.MeanInterval = meanSamplingInterval(boat.Samples);
}
