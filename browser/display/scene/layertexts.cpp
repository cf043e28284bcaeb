#include "layertexts.h"

namespace {

struct TextPair {
    LayerText id;
    const char16_t *english;
    const char16_t *japanese;
};

// The chart labels read the same in both languages: the mark and line names are also the
// course entries of the race control file, and the units are those of the scale bar.
constexpr TextPair Texts[] = {
    {LayerText::MarkPrefix, u"MK", u"MK"},
    {LayerText::LinePrefix, u"L", u"L"},
    {LayerText::Metres, u"m", u"m"},
    {LayerText::Kilometres, u"Km", u"Km"},
};

} // namespace

QString layerText(LayerText id, UiLanguage language)
{
    for (const TextPair &t : Texts)
        if (t.id == id)
            return QString::fromUtf16(language == UiLanguage::English ? t.english : t.japanese);
    return {};
}
