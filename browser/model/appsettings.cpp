#include "appsettings.h"

void AppSettings::setLanguage(UiLanguage l)
{
    Language = l;
    ProgramTitle = l == UiLanguage::English ? QStringLiteral("orvane") : QStringLiteral("オルバネ");
    UiFontName = l == UiLanguage::English ? EnglishFontName : JapaneseFontName;
}

AppSettings &appSettings()
{
    static AppSettings settings;
    return settings;
}
