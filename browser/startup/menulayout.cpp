#include "menulayout.h"

#include <appfolder.h>
#include <appsettings.h>

namespace {

const QString crlf = QStringLiteral("\r\n");

QList<MenuButton> buildButtons()
{
    constexpr int left = 230, width = 131, height = 17;
    const auto row = [](int i) { return 424 + 24 * i; };
    const QString windHint = QStringLiteral("GASTRAを起動して風データを") + crlf
        + QStringLiteral("編集し、選定データの保存します。") + crlf + QStringLiteral("( CSVファイルを作成 )");
    const QString distributionHint = QStringLiteral("配布するファイルを自動的に") + crlf
        + QStringLiteral("作成します。（WEB配信、CD焼付） ");
    const QString oneBoatHint = QStringLiteral("1艇のみの軌跡を表示");
    const QString exitHint = QStringLiteral("プログラムを終了します");
    return {
        {QStringLiteral("Command1"), QStringLiteral("GPS Download"), MenuAction::GpsDownload,
         QRect(left, row(0), width, height),
         QStringLiteral("Receive Track Data From GPS") + crlf + QStringLiteral("Edit GPS data"),
         QStringLiteral("GPSからﾃﾞｰﾀをﾀﾞｳﾝﾛｰﾄﾞ") + crlf + QStringLiteral("軌跡ﾃﾞｰﾀﾌｧｲﾙを読んで編集"), 32},
        {QStringLiteral("Command2"), QStringLiteral("Mk Wind Data"), MenuAction::WindTool,
         QRect(left, row(1), width, height), windHint, windHint, 45},
        {QStringLiteral("Command3"), QStringLiteral("Edit GPS data"), MenuAction::Editor,
         QRect(left, row(2), width, height),
         QStringLiteral("Edit each boat data.") + crlf + crlf + QStringLiteral("Select GPS data and set") + crlf
             + QStringLiteral("start and finish time."),
         QStringLiteral("複数艇のﾃﾞｰﾀを編集") + crlf + crlf + QStringLiteral("各艇のﾃﾞｰﾀを選択し,ｽﾀｰﾄ時刻,") + crlf
             + QStringLiteral("ﾌｨﾆｯｼｭ時刻などを指定します"),
         60},
        {QStringLiteral("Command4"), QStringLiteral("Create Distibution File"), MenuAction::Distribution,
         QRect(left, row(3), width, height), distributionHint, distributionHint, 33},
        {QStringLiteral("Command5"), QStringLiteral("Show One Boat"), MenuAction::ShowOneBoat,
         QRect(left, row(4), width, height), oneBoatHint, oneBoatHint, 17},
        {QStringLiteral("Command6"), QStringLiteral("Show Racing"), MenuAction::ShowRacing,
         QRect(left, row(5), width, height),
         QStringLiteral("Race scene can be seen") + crlf + QStringLiteral("if Edit data."),
         QStringLiteral("編集データを選択すると") + crlf + QStringLiteral("複数艇のレースが見れます"), 32},
        {QStringLiteral("Command7"), QStringLiteral("?"), MenuAction::Help, QRect(left, row(6), 42, height),
         QString(), QString(), 0},
        {QStringLiteral("Command8"), QStringLiteral("EXIT"), MenuAction::Exit, QRect(288, row(6), 73, height),
         exitHint, exitHint, 17},
    };
}

} // namespace

const QList<MenuButton> &menuButtons()
{
    static const QList<MenuButton> buttons = buildButtons();
    return buttons;
}

const MenuButton *menuButton(MenuAction action)
{
    for (const MenuButton &b : menuButtons()) {
        if (b.action == action)
            return &b;
    }
    return nullptr;
}

QString menuHint(const AppSettings &settings, const MenuButton &button)
{
    return settings.text(button.hintEnglish, button.hintJapanese);
}

QString helpPagePath(const AppSettings &settings)
{
    return platform::resolvePath(settings.ApplicationFolder,
                                 settings.text(QStringLiteral("\\help-e\\index.html"), QStringLiteral("\\help\\index.html")));
}

bool hasHelpPage(const QString &applicationFolder)
{
    return platform::fileExists(applicationFolder, QStringLiteral("\\help\\index.html"))
        || platform::fileExists(applicationFolder, QStringLiteral("\\help-e\\index.html"));
}
