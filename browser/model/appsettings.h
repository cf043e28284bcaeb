// Program-wide settings of the race browser, filled once by the start-up sequence and read
// everywhere. One instance lives for the whole run (appSettings()); library code takes it as
// a parameter where it can, so tests pass their own.
#pragma once

#include <QString>
#include <QtGlobal>

// An RGB colour as 0xAARRGGBB with alpha 0xFF, the layout of QRgb, so a widget turns it into
// a QColor with QColor::fromRgb().
using Colour = quint32;
constexpr Colour rgb(int r, int g, int b)
{
    return 0xff000000u | (quint32(r & 0xff) << 16) | (quint32(g & 0xff) << 8) | quint32(b & 0xff);
}
constexpr int colourRed(Colour c) { return int((c >> 16) & 0xff); }
constexpr int colourGreen(Colour c) { return int((c >> 8) & 0xff); }
constexpr int colourBlue(Colour c) { return int(c & 0xff); }

enum class UiLanguage : qint16 { Japanese = 0, English = 1 };

struct AppSettings {
    QString ApplicationFolder;            // folder of the program, no trailing separator
    UiLanguage Language = UiLanguage::Japanese; // the interface language
    bool EditMode = false;                // the user chose to edit data at start-up
    QString ProgramTitle = QStringLiteral("オルバネ");
    QString EnglishFontName = QStringLiteral("MS Sans Serif");
    QString JapaneseFontName = QStringLiteral("MS P ゴシック");
    QString UiFontName = QStringLiteral("MS P ゴシック");
    float ScaleX = 1.0f;                  // screen twips per pixel / 15, horizontally
    float ScaleY = 1.0f;                  // the same vertically
    float Scale = 1.0f;                   // layout factor for every position, size and chart font
    Colour SeaColour = rgb(0, 255, 255);  // chart background
    double ReferenceSpeed = 0.0;          // knots, boat 1 over the first half of the race
    QString SingleTrackFile;              // a track file shown alone, or empty

    bool isEnglish() const { return Language == UiLanguage::English; }
    // Sets the language and the fields that follow from it (title, interface font).
    void setLanguage(UiLanguage l);
    // The text of the interface language: english when English, japanese otherwise.
    const QString &text(const QString &english, const QString &japanese) const
    {
        return isEnglish() ? english : japanese;
    }
};

// The instance of the running program.
AppSettings &appSettings();

// Twips to pixels at 15 twips a pixel times the scale.
inline int twipsToPixels(double twips, float scale = 1.0f)
{
    return int(twips / 15.0 * scale + (twips >= 0 ? 0.5 : -0.5));
}
