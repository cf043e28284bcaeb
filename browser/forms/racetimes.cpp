#include "racetimes.h"

#include "formtexts.h"

#include <dialogs.h>
#include <racecontrolfile.h>

namespace {

constexpr qint64 SecondsPerHour = 3600;

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Hours since a fixed moment, cut down to the hour.
qint64 hourNumber(const platform::LocalDateTime &t)
{
    static const platform::LocalDateTime epoch = platform::LocalDateTime::fromParts(1900, 1, 1);
    return floorDiv(epoch.secsTo(t), SecondsPerHour);
}

bool withinHours(const platform::LocalDateTime &a, const platform::LocalDateTime &b)
{
    // Without GPS records there is nothing to be near.
    if (a.isNull() || b.isNull())
        return true;
    const qint64 h = hourBoundariesBetween(a, b);
    return h >= -MaxHoursFromGpsData && h <= MaxHoursFromGpsData;
}

struct NamePromptTexts {
    FormText prompt, caption, example;
};

NamePromptTexts promptTexts(RaceNamePrompt prompt)
{
    if (prompt == RaceNamePrompt::NewTimes)
        return {FormText::TimesNamePrompt, FormText::TimesNameCaption, FormText::TimesNameExample};
    return {FormText::ExitNamePrompt, FormText::ExitNameCaption, FormText::ExitNameExample};
}

} // namespace

qint64 hourBoundariesBetween(const platform::LocalDateTime &a, const platform::LocalDateTime &b)
{
    if (a.isNull() || b.isNull())
        return 0;
    return hourNumber(b) - hourNumber(a);
}

std::optional<RaceTimes> checkRaceTimes(const QString &startText, const QString &finishText, const RaceControl &race)
{
    RaceTimes t;
    t.start = platform::LocalDateTime::parse(startText.trimmed());
    t.finish = platform::LocalDateTime::parse(finishText.trimmed());
    if (t.start.isNull() || t.finish.isNull())
        return std::nullopt;
    if (!withinHours(race.FirstFixTime, t.start) || !withinHours(t.finish, race.LastFixTime))
        return std::nullopt;
    // A finish at or before the start leaves a race of no length to show.
    if (t.finish <= t.start)
        return std::nullopt;
    return t;
}

QString raceFileNameForAnswer(const QString &answer)
{
    const QString name = answer.trimmed();
    if (name.isEmpty())
        return {};
    if (name.contains(QStringLiteral(".txt")) || name.contains(QStringLiteral(".TXT")))
        return name;
    return name + QStringLiteral(".txt");
}

bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..");
}

bool SaveRaceUnderName(const AppSettings &settings, RaceControl &race, RaceNamePrompt prompt)
{
    const NamePromptTexts texts = promptTexts(prompt);
    const QString text = formText(settings, texts.prompt) + QStringLiteral("\r\n") + formText(settings, texts.example);
    QString defaultAnswer = race.FileName;
    for (;;) {
        const std::optional<QString> answer =
            platform::dialogs().input(text, formText(settings, texts.caption), defaultAnswer);
        if (!answer)
            return false;
        const QString name = raceFileNameForAnswer(*answer);
        if (name.isEmpty())
            return false;
        if (!isPlainFileName(name)) {
            // A name with a folder in it would write outside raceadmin: ask again.
            platform::dialogs().message(formText(settings, FormText::InputFileName));
            defaultAnswer = *answer;
            continue;
        }
        const QString before = race.FileName;
        race.FileName = name;
        if (WriteRaceControl(settings, race))
            return true;
        // The race goes on being shown from the file it came from.
        race.FileName = before;
        return false;
    }
}

bool AcceptNewTimes(const AppSettings &settings, RaceControl &race, const QString &startText,
                    const QString &finishText)
{
    const std::optional<RaceTimes> times = checkRaceTimes(startText, finishText, race);
    if (!times) {
        platform::dialogs().message(formText(settings, FormText::TimesIncorrect), englishOnlyCaption(settings));
        return false;
    }
    race.StartTime = times->start;
    race.FinishTime = times->finish;
    race.DisplayStart = times->start;
    race.DisplayEnd = times->finish;
    if (race.boatCount() >= 2 && settings.EditMode
        && platform::dialogs().askYesNo(formText(settings, FormText::TimesSaveQuestion), englishOnlyCaption(settings)))
        SaveRaceUnderName(settings, race, RaceNamePrompt::NewTimes);
    return true;
}

void OfferSaveOnExit(const AppSettings &settings, RaceControl &race)
{
    if (race.FileName.isEmpty() || !settings.EditMode)
        return;
    if (platform::dialogs().askYesNo(formText(settings, FormText::ExitSaveQuestion), englishOnlyCaption(settings)))
        SaveRaceUnderName(settings, race, RaceNamePrompt::Exit);
}
