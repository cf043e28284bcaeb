// The date-time parser of the platform layer, and the arithmetic every reader does with its
// results. Beyond not crashing: a date-time parsed and written again parses to itself, and
// adding seconds then measuring them back gives them again.
#include <localdatetime.h>
#include <numbers.h>

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using platform::LocalDateTime;

namespace {

[[noreturn]] void fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, qPrintable(text));
    std::abort();
}

void checkRoundTrip(const LocalDateTime &t, const QString &text)
{
    if (t.isNull())
        return;
    if (LocalDateTime::parse(t.toString()) != t)
        fail("toString does not read back", text);
    if (LocalDateTime::parseDate(t.dateText()) != t.date())
        fail("dateText does not read back", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The last 8 bytes (when there are more than 8) are a number of seconds to add.
    qint64 seconds = 0;
    size_t textSize = size;
    if (size > 8) {
        textSize = size - 8;
        std::memcpy(&seconds, data + textSize, sizeof seconds);
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(textSize));

    const LocalDateTime t = LocalDateTime::parse(text);
    const LocalDateTime s = LocalDateTime::parseSystemText(text);
    checkRoundTrip(t, text);
    checkRoundTrip(s, text);
    if (!t.isNull() && s != t)
        fail("parseSystemText differs from parse", text);
    (void)LocalDateTime::parseDate(text);
    if (const auto tod = LocalDateTime::parseTimeOfDay(text); tod && (*tod < 0 || *tod >= 86400))
        fail("time of day out of the day", text);

    if (!s.isNull()) {
        const LocalDateTime later = s.addSecs(seconds);
        if (!later.isNull()) {
            if (s.secsTo(later) != seconds)
                fail("addSecs and secsTo disagree", text);
            checkRoundTrip(later, text);
            (void)s.minutesTo(later);
        }
        const LocalDateTime day = s.addDays(seconds % 4000000);
        if (!day.isNull() && day.secondsOfDay() != s.secondsOfDay())
            fail("addDays moves the time of day", text);
    }

    // The number forms share the files with the date-times.
    if (const auto v = platform::readLeadingNumber(text)) {
        const QString written = platform::formatNumber(*v);
        if (!platform::readLeadingNumber(written))
            fail("formatNumber writes what readLeadingNumber cannot read", text);
        (void)platform::roundHalfEven(*v);
        (void)platform::roundTo(*v, 1);
    }
    return 0;
}
