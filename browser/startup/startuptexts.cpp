#include "startuptexts.h"

#include <appsettings.h>

#include <QHash>

namespace {

const QString crlf = QStringLiteral("\r\n");

QHash<StartupText, TextPair> buildTable()
{
    QHash<StartupText, TextPair> t;
    // The locale message exists only in English: the check runs only for the English interface.
    const QString locale = QStringLiteral("This software is written in English (USA)") + crlf
        + QStringLiteral("Please change your locale set in your PC") + crlf + crlf
        + QStringLiteral("-----  How to change locale in your PC -----") + crlf
        + QStringLiteral("Start >> (Settings) >> Control Panel >>Regional Options") + crlf
        + QStringLiteral("Then change locale to English (United States)") + crlf + crlf
        + QStringLiteral(" Then restart the 'orvane'");
    t.insert(StartupText::LocaleMessage, {locale, locale});
    t.insert(StartupText::InstallQuestion,
             {QStringLiteral("Do you want to install now ?"), QStringLiteral("今すぐインストールしますか？")});
    t.insert(StartupText::InstallNotice,
             {QStringLiteral("Start up software from Hard Disk after next time because the Software is already installed in HDD now"),
              QStringLiteral("ソフトがインストールされますので次回からはHDDから起動してください")});
    t.insert(StartupText::ExpansionMessage,
             {QStringLiteral("Expand coast line data"),
              QStringLiteral("海岸線などの基本データを解凍します") + crlf + QStringLiteral("約１分掛かりますがお待ちください。")});
    t.insert(StartupText::ExpansionCaption, {QStringLiteral("Expansion"), QStringLiteral("データの解凍")});
    t.insert(StartupText::EditQuestion, {QStringLiteral("Edit Data ?"), QStringLiteral("編集しますか?")});
    t.insert(StartupText::ToolStartFailed,
             {QStringLiteral("The program could not be started."), QStringLiteral("プログラムを起動できません。")});
    t.insert(StartupText::NoRaceToShow,
             {QStringLiteral("There is no race data (raceadmin\\*.txt) to show."),
              QStringLiteral("表示するレースデータ（raceadmin\\*.txt）がありません。")});
    t.insert(StartupText::ChooseAFile,
             {QStringLiteral("There is no file to choose."), QStringLiteral("選択できるファイルがありません。")});
    return t;
}

} // namespace

const TextPair &startupTextPair(StartupText id)
{
    static const QHash<StartupText, TextPair> table = buildTable();
    static const TextPair empty;
    const auto it = table.constFind(id);
    return it == table.constEnd() ? empty : *it;
}

QString startupText(const AppSettings &settings, StartupText id)
{
    const TextPair &pair = startupTextPair(id);
    return settings.text(pair.english, pair.japanese);
}
