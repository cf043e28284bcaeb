#include "replaytexts.h"

namespace {

struct TextPair {
    ReplayText id;
    const char16_t *english;
    const char16_t *japanese;
};

constexpr TextPair Texts[] = {
    {ReplayText::SpeedSuffix, u" x spd", u"倍速"},
    {ReplayText::Enlarged, u"Enlarged", u"変形サイズ"},
    {ReplayText::RealSize, u"Real Size", u"実サイズ"},
    // A blank line after the second English line and after the second and fourth Japanese ones.
    {ReplayText::TimeBarHint,
     u"Click to change the time.\n"
     u"(White zone =UpWind  Gray zone= DownWind )\n"
     u"\n"
     u"Shift+ Drag & drop to focus play back period.\n"
     u"Shift+Right click to cancel play back period.",
     u"クリックで時間を瞬時に変更します\n"
     u"(白はUpWind、灰色はDownWind )\n"
     u"\n"
     u"Shiftを押しながらマウス左でドラッグ\n"
     u"＆ドロップすると時間帯を限定できます\n"
     u"\n"
     u"Shift+右クリックで時間帯を解除します"},
};

} // namespace

QString replayText(ReplayText id, UiLanguage language)
{
    for (const TextPair &t : Texts)
        if (t.id == id)
            return QString::fromUtf16(language == UiLanguage::English ? t.english : t.japanese);
    return {};
}

QString speedFactorText(int factor, UiLanguage language)
{
    return QString::number(factor) + replayText(ReplayText::SpeedSuffix, language);
}
