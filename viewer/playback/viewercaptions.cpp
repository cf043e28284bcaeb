#include "viewercaptions.h"

#include <cmath>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

QString pick(int language, const char *japanese, const char *english)
{
    return language >= 1 ? u(english) : u(japanese);
}

// The minutes as the caption writes them: a plain decimal text (no exponent), cut to 6 characters.
QString minutesText(double minutes)
{
    QString text = QString::number(minutes, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.left(6);
}

QString angleText(double minutes, QChar positive, QChar negative)
{
    const QChar hemisphere = minutes > 0 ? positive : negative;
    const double m = std::fabs(minutes);
    const int degrees = int(std::floor(m / 60));
    return hemisphere + QString::number(degrees) + QLatin1Char(':') + minutesText(m - degrees * 60.0);
}

} // namespace

const QList<ControlCaption> &controlCaptions()
{
    static const QList<ControlCaption> table = {
        {"Label1", "       艇　名          　    艇速(ﾉｯﾄ)　　　　　　風角", "     Boat Name             Speed                TWA"},
        {"Label5", " レースファイル名", "Race File Name"},
        {"GroupBox1", "表示方位", "Orientation"},
        {"RadioN", "北が上", "NorthWd"},
        {"RadioW", "風向", "WindWd"},
        {"chkAutoNext", "自動切換", "AutoNext"},
        {"Button4", "表示", "SHOW"},
        {"RadioButton1", "軌跡", "Track"},
        {"RadioButton2", "ｸﾞﾗﾌ", "Graph"},
        {"CheckBox1", "軌跡追尾", "Auto Trace"},
        {"chkLL", "レイライン", "Layline"},
        {"ChkRefLine", "比較線", "Comp Ht"},
        {"CheckBox2", "艇名表示", "Boat Name"},
        {"ChkBigBoat", "艇拡大", "Boat Size"},
        {"chkHint", "操作説明", "Tips"},
        {"Button2", "添付資料表示", "Attachment"},
    };
    return table;
}

const QList<ControlCaption> &designCaptions()
{
    static const QList<ControlCaption> table = {
        {"Button1", "EXIT", "EXIT"},         {"Button3", "Google Earth", "Google Earth"},
        {"Label2", "SPEED", "SPEED"},        {"Label3", "ZOOM", "ZOOM"},
        {"pnlDIRcaption", "GO/STOP", "GO/STOP"}, {"GroupBox2", "Page", "Page"},
        {"GroupBox4", "Sea Color", "Sea Color"}, {"CheckBox3", "AUTO", "AUTO"},
    };
    return table;
}

QString controlCaption(const QString &objectName, int language)
{
    for (const QList<ControlCaption> *table : {&controlCaptions(), &designCaptions()}) {
        for (const ControlCaption &c : *table)
            if (objectName == QLatin1String(c.Name))
                return pick(language, c.Japanese, c.English);
    }
    return {};
}

QString makerWebAddress()
{
    return QStringLiteral("https://www.example.com/orvane/");
}

ViewerHint viewerHint(HintPlace place, int language, const QString &detail, const QStringList &items)
{
    const bool english = language >= 1;
    switch (place) {
    case HintPlace::BoatCheckBox:
        if (english)
            return {u("Checked boats are focused.\nUnchecked boats are out of focus.\n\nR-Click to focus only ") + detail, {280, 56}};
        return {u("ﾁｪｯｸの入った艇がﾌｫｰｶｽされます。\n右ｸﾘｯｸで") + detail + u("\nのみ残して他全艇のﾌｫｰｶｽを外します。"), {220, 42}};
    case HintPlace::ManualMap:
        if (english)
            return {u("Left Button => Enlarge Map.\nRight Button => Shrink Map\n(Click point is a center of map)"), {190, 45}};
        return {u("左ｸﾘｯｸでｸﾘｯｸした点を中心に地図が拡大\n右ｸﾘｯｸで縮小します"), {250, 30}};
    case HintPlace::BoatListHeader:
        return {pick(language, "左ｸﾘｯｸで全艇にﾁｪｯｸが入ります", "Left Button => Focus All Boats."), {220, 20}};
    case HintPlace::TimeBar:
        if (english)
            return {u("Click to change the time.\n(") + detail + u(")\n(White zone = UpWind   )\n(Gray zone   = DownWind )"), {180, 55}};
        return {u("クリックで時間を瞬時に変更します\n(白はUpWind、灰色はDownWind )\n(") + detail + u(")"), {220, 43}};
    case HintPlace::AutoNext:
        if (english)
            return {u("Auto changer on/off"), {180, 16}};
        return {u("ファイルを順次自動切換えします"), {220, 16}};
    case HintPlace::Show:
        return {pick(language, "左のボックスでレースを選び\nこのボタンでそれを表示します",
                     "Choose race file at left box\nthen click here to show it."),
                {180, 32}};
    case HintPlace::BigBoat:
        return {pick(language, "表示艇の最小サイズ拡大", "Enlarge Minimum Boat Size"), {220, 20}};
    case HintPlace::Attachment: {
        QString text = pick(language, "下記の添付ファイルを表示します", "Show following attachment file");
        for (const QString &item : items)
            text += QLatin1Char('\n') + item;
        return {text, {200, int(items.size()) * 13 + 18}};
    }
    case HintPlace::GoogleEarth:
        if (english)
            return {u("    Show Google Earth\nLeft Button => Present Scene\nRight Button => All Race\n(△Button to Restart)"), {190, 60}};
        return {u("  Google Earthを表示します\n左ｸﾘｯｸ → 現在表示中のシーン\n右ｸﾘｯｸ → 全レース\n(再開するには△ボタンを押してください)"), {250, 60}};
    case HintPlace::Logo:
        return {u("\n<orvane>\nyacht racing browser\n\n") +
                    pick(language, "制作: orvane 開発チーム\nクリックでホームページを開きます",
                         "by the orvane developers\nClick to visit our web site"),
                {160, 100}};
    }
    return {};
}

QString latitudeText(double latMinutes)
{
    return angleText(latMinutes, QLatin1Char('N'), QLatin1Char('S'));
}

QString longitudeText(double lonMinutes)
{
    return angleText(lonMinutes, QLatin1Char('E'), QLatin1Char('W'));
}

QString pointerCaption(const QString &title, const LatLon &position, const QString &note, bool trackPage)
{
    if (!trackPage)
        return title + QStringLiteral("     ") + note;
    return title + latitudeText(position.Lat) + QStringLiteral("    ") + longitudeText(position.Lon) +
           QStringLiteral("      ") + note;
}

int nextAttachment(int lastOpened, int count)
{
    if (count <= 0)
        return 0;
    return lastOpened >= count || lastOpened < 0 ? 1 : lastOpened + 1;
}

QStringList attachmentOrder(const QStringList &attachments, int lastOpened)
{
    QStringList order;
    const int n = int(attachments.size());
    int index = lastOpened;
    for (int i = 0; i < n; ++i) {
        index = nextAttachment(index, n);
        order << attachments[index - 1];
    }
    return order;
}

QString raceSkippedNotice(const QString &raceFile, const QString &reason, int language)
{
    return raceFile + QStringLiteral(": ") + reason + QLatin1Char(' ') +
           pick(language, "次のレースを表示します。", "The next race follows.");
}

QString readProblemsNotice(const QString &raceFile, const QStringList &problems, int language, int shown)
{
    QString text = (language >= 1 ? u("Reading %1:") : u("%1 の読み込み:")).arg(raceFile);
    for (int i = 0; i < problems.size() && i < shown; ++i)
        text += QLatin1Char('\n') + problems[i];
    if (problems.size() > shown) {
        const QString more = language >= 1 ? u("… and %1 more (all on standard error)") : u("…ほか %1 件 (すべて標準エラー出力に)");
        text += QLatin1Char('\n') + more.arg(problems.size() - shown);
    }
    return text;
}

QString kmlNotWritten(const QString &error, int language)
{
    return pick(language, "Google Earth のファイルを書けません: ", "The Google Earth file cannot be written: ") + error;
}
