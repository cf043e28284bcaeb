#include "displaytexts.h"

#include <courseediting.h>

namespace {

QString stripIndex(const QString &name)
{
    int end = int(name.size());
    while (end > 0 && name.at(end - 1).isDigit())
        --end;
    return name.left(end);
}

} // namespace

const QList<ControlCaption> &raceDisplayCaptions()
{
    static const QList<ControlCaption> table = {
        // Display options.
        {QStringLiteral("Check1"), QStringLiteral("時間点"), QStringLiteral("TimeMk")},
        {QStringLiteral("Check2"), QStringLiteral("距離方位"), QStringLiteral("R/B")},
        {QStringLiteral("Check3"), QStringLiteral("HINT"), QStringLiteral("HINT")},
        {QStringLiteral("Check4"), QStringLiteral("比較ライン"), QStringLiteral("Ref Line")},
        {QStringLiteral("Check5"), QStringLiteral("自動追尾"), QStringLiteral("AutoTrace")},
        {QStringLiteral("Check6"), QStringLiteral("航跡"), QStringLiteral("Wake")},
        {QStringLiteral("Check7"), QStringLiteral("地図"), QStringLiteral("Map")},
        {QStringLiteral("Check8"), QStringLiteral("ﾚｲﾗｲﾝ"), QStringLiteral("LayLine")},
        {QStringLiteral("Check9"), QStringLiteral("艇名"), QStringLiteral("Name")},
        {QStringLiteral("Check10"), QStringLiteral("艇拡大"), QStringLiteral("Enlarge")},
        // Orientation and page.
        {QStringLiteral("Frame1"), QStringLiteral("表示方向"), QStringLiteral("Direction")},
        {QStringLiteral("Option3"), QStringLiteral("風向が上"), QStringLiteral("Windwd")},
        {QStringLiteral("Option2"), QStringLiteral("北が上"), QStringLiteral("Northwd")},
        {QStringLiteral("Frame4"), QStringLiteral("図選択"), QStringLiteral("Screen")},
        {QStringLiteral("Option9"), QStringLiteral("軌跡"), QStringLiteral("Track")},
        {QStringLiteral("Option10"), QStringLiteral("ｸﾞﾗﾌ"), QStringLiteral("Graph")},
        {QStringLiteral("Option11"), QStringLiteral("ﾃﾞｰﾀ"), QStringLiteral("Data")},
        // Race list, times and buttons.
        {QStringLiteral("Label6"), QStringLiteral("ﾚｰｽﾌｧｲﾙ"), QStringLiteral("Race File")},
        {QStringLiteral("Command2"), QStringLiteral("マーク設定"), QStringLiteral("Set Mark")},
        {QStringLiteral("Command3"), QStringLiteral("ライン設定"), QStringLiteral("Set Line")},
        {QStringLiteral("Command5"), QStringLiteral("コース設定"), QStringLiteral("Set Course")},
        {QStringLiteral("Command9"), QStringLiteral("表示"), QStringLiteral("Show")},
        {QStringLiteral("Label2"), QStringLiteral("ｽﾀｰﾄ日時"), QStringLiteral("Start")},
        {QStringLiteral("Label3"), QStringLiteral("ﾌｨﾆｯｼｭ"), QStringLiteral("Finish")},
        {QStringLiteral("Command4"), QStringLiteral("時刻設定OK"), QStringLiteral("Above time OK")},
        {QStringLiteral("Command10"), QStringLiteral("画像処理"), QStringLiteral("Save/Print")},
        {QStringLiteral("Command13"), QStringLiteral("資料参照"), QStringLiteral("Refference")},
        {QStringLiteral("Command1"), QStringLiteral("戻る"), QStringLiteral("EXIT")},
        {QStringLiteral("Command11"), QStringLiteral("戻る"), QStringLiteral("Exit")},
        {QStringLiteral("Option1"), QStringLiteral("時間"), QStringLiteral("Time")},
        {QStringLiteral("Option4"), QStringLiteral("距離"), QStringLiteral("Dist")},
        {QStringLiteral("Option5"), QStringLiteral("速度"), QStringLiteral("SPD")},
        {QStringLiteral("Option12"), QStringLiteral("解析"), QStringLiteral("ANA")},
        {QStringLiteral("Command8"), QStringLiteral("ﾃﾞｰﾀ消去"), QStringLiteral("Delete Order")},
        {QStringLiteral("Label4"), QStringLiteral("レースコース"), QStringLiteral("Course Order")},
        {QStringLiteral("Command12"), QStringLiteral("風データ手動作成"), QStringLiteral("Make Wind Data")},
        // The same in both languages.
        {QStringLiteral("Frame3"), QStringLiteral("TRACK"), QStringLiteral("TRACK")},
        {QStringLiteral("Option6"), QStringLiteral("FWD"), QStringLiteral("FWD")},
        {QStringLiteral("Option7"), QStringLiteral("STOP"), QStringLiteral("STOP")},
        {QStringLiteral("Option8"), QStringLiteral("BACK"), QStringLiteral("BACK")},
        {QStringLiteral("Command6"), QStringLiteral("+"), QStringLiteral("+")},
        {QStringLiteral("Command7"), QStringLiteral("-"), QStringLiteral("-")},
        {QStringLiteral("Label7"), QStringLiteral("ZOOM"), QStringLiteral("ZOOM")},
        {QStringLiteral("Label5"), boatListHeader(), boatListHeader()},
        {QStringLiteral("btnHATENA"), QStringLiteral("?"), QStringLiteral("?")},
        {QStringLiteral("Label1"), QStringLiteral("お問い合わせ ") + makerWebAddress(),
         QStringLiteral("Further Info: ") + makerWebAddress()},
        // The symbol size box starts at real size; the replay clock keeps it up to date.
        {QStringLiteral("Text15"), QStringLiteral("実サイズ"), QStringLiteral("Real Size")},
    };
    return table;
}

QString raceDisplayCaption(const QString &objectName, bool english)
{
    for (const ControlCaption &c : raceDisplayCaptions()) {
        if (c.objectName == objectName)
            return english ? c.english : c.japanese;
    }
    return {};
}

QString boatListHeader()
{
    return QStringLiteral("    BOAT NAME           BSP                          TWA");
}

QString makerWebAddress()
{
    return QStringLiteral("https://www.example.com/orvane/");
}

const QList<ControlHint> &raceDisplayHints()
{
    using C = HintCondition;
    static const QList<ControlHint> table = {
        {QStringLiteral("BCOL"), C::HintsOn, {QStringLiteral("Change sea color")},
         {QStringLiteral("海面の色を変更します")}, {160, 17}, {160, 17}, {}, {}, {}, {}},
        {QStringLiteral("Bnam"), C::HintsOn,
         {QStringLiteral("Cecked boats are focused."), QStringLiteral("Unchecked boats are out of focus."),
          QString(), QStringLiteral("Right button to focus only 1 boat.")},
         {QStringLiteral("チェックを入れた艇をフォーカスします"),
          QStringLiteral("フォーカスを外すと航跡、速度グラフなどが"),
          QStringLiteral("除外されてフォーカス艇が見やすくなります"), QString(),
          QStringLiteral("右ｸﾘｯｸで1艇だけのﾌｫｰｶｽも可能です。")},
         {240, 62}, {240, 70}, {}, {}, {}, {}},
        {QStringLiteral("Maru"), C::HintsOn,
         {QStringLiteral("Cecked boat is focused and his"),
          QStringLiteral("name are shown during it is checked.")},
         {QStringLiteral("チェックを入れた艇をフォーカスします"),
          QStringLiteral("これにより常時艇名,艇速が表示されます")},
         {240, 30}, {240, 30}, {}, {}, {}, {}},
        {QStringLiteral("Label5"), C::HintsOn, {QStringLiteral("Click to focus all boats")},
         {QStringLiteral("ここをクリックすると全艇にチェックが入ります")}, {140, 18}, {240, 18}, {}, {}, {}, {}},
        {QStringLiteral("Check10"), C::HintsOn,
         {QStringLiteral("Enlarge minimum boat size"), QStringLiteral("when checked")},
         {QStringLiteral("艇の最低表示サイズを拡大します。"), QStringLiteral("ﾁｪｯｸを外すと実ｻｲｽﾞで表示します。")},
         {200, 30}, {200, 30}, {}, {}, {}, {}},
        {QStringLiteral("Check2"), C::Always,
         {QStringLiteral("Range and bearing from first clicked"),
          QStringLiteral("point to present mouse point can be"), QStringLiteral("measured when checked."),
          QStringLiteral("< Uncheck to exit measuring mode>")},
         {QStringLiteral("地図で距離・方位を測定します。"), QStringLiteral("このボタンを押すと測定モードになります"),
          QStringLiteral("測定モードの状態で地図をクリックすると"), QStringLiteral("測定の基点が設定され、マウスを移動して"),
          QStringLiteral("そこからの距離・方位を測定します"), QStringLiteral("（再度押すと測定モードを解除）")},
         {220, 55}, {220, 81}, {}, {}, {}, {}},
        {QStringLiteral("Check3"), C::Always, {QStringLiteral("ON/OFF of HINT")},
         {QStringLiteral("ヒントをON/OFFします")}, {170, 16}, {170, 16}, {}, {}, {}, {}},
        {QStringLiteral("Check4"), C::HintsOn,
         {QStringLiteral("Draw cross wind line"), QStringLiteral("to compare the height.")},
         {QStringLiteral("各艇の高さを比較します"), QStringLiteral("（風上が上の時に有効です）")},
         {170, 32}, {170, 32}, {}, {}, {}, {}},
        {QStringLiteral("Check5"), C::HintsOn, {QStringLiteral("On-off the auto trace mode")},
         {QStringLiteral("自動追尾をON/OFFします")}, {170, 16}, {170, 16}, {}, {}, {}, {}},
        {QStringLiteral("Check6"), C::HintsOn,
         {QStringLiteral("Draw all tracks."), QStringLiteral("( When auto trace is off )")},
         {QStringLiteral("航跡描画をON/OFFします"), QStringLiteral("（自動追尾時は無効です）")},
         {170, 32}, {170, 32}, {}, {}, {}, {}},
        // The design had no Japanese text for the map box; this one follows its neighbours.
        {QStringLiteral("Check7"), C::Always, {QStringLiteral("Draw coast line or not")},
         {QStringLiteral("海岸線の表示をon-offします")}, {170, 16}, {170, 16}, {}, {}, {}, {}},
        {QStringLiteral("Check8"), C::Always, {QStringLiteral("Draw lay line or not")},
         {QStringLiteral("レイラインの表示をon-offします")}, {150, 15}, {170, 15}, {}, {}, {}, {}},
        {QStringLiteral("Check9"), C::Always, {QStringLiteral("Show all boat name or not")},
         {QStringLiteral("全艇名の表示をon-offします")}, {150, 15}, {150, 15}, {}, {}, {}, {}},
        {QStringLiteral("Command2"), C::Always,
         {QStringLiteral("Click this button and Set the"), QStringLiteral("Mark on the Map."),
          QStringLiteral("< Auto trace is to be Off >")},
         {QStringLiteral("このボタンを押してから地図をクリック"), QStringLiteral("するとマークを設定できます。"),
          QStringLiteral("<自動追尾をOffにすること>")},
         {200, 45}, {220, 45}, {}, {}, {}, {}},
        {QStringLiteral("Command3"), C::Always,
         {QStringLiteral("Click this button, then click the End Of"),
          QStringLiteral("Line on the map.   < 2Pnts >"), QStringLiteral("< Auto trace is to be Off >")},
         {QStringLiteral("このボタンを押してから地図を2点クリック"), QStringLiteral("するとラインを設定できます。"),
          QStringLiteral("<自動追尾をOffにすること>")},
         {220, 45}, {220, 45}, {}, {}, {}, {}},
        {QStringLiteral("Command5"), C::Always,
         {QStringLiteral("Click this button, then click Lines"),
          QStringLiteral("and Marks to set the course order"), QStringLiteral("< Auto trace is to be Off >")},
         {QStringLiteral("このボタンを押してから地図上のライン、"), QStringLiteral("マークを押してコースを設定します。"),
          QStringLiteral("<自動追尾をOffにすること>")},
         {220, 45}, {220, 45}, {}, {}, {}, {}},
        {QStringLiteral("Text2"), C::Always, {QStringLiteral("Change Playback Speed with the Right Slide Bar")},
         {QStringLiteral("早送り速度を右のスライドバーで変更します")}, {270, 16}, {270, 16}, {}, {}, {}, {}},
        {QStringLiteral("Picture2"), C::HintsOn, {QStringLiteral("Indicate wind direction graph or not")},
         {QStringLiteral("ｸﾘｯｸで風向ｸﾞﾗﾌをOn-Off")}, {200, 17}, {170, 17}, {}, {}, {}, {}},
        {QStringLiteral("sWind"), C::HintsOn, {QStringLiteral("Indicate wind direction graph or not")},
         {QStringLiteral("ｸﾘｯｸで風向ｸﾞﾗﾌをOn-Off")}, {200, 17}, {170, 17}, {}, {}, {}, {}},
        {QStringLiteral("Picture6"), C::HintsOnNotTracing, {QStringLiteral("L-btn => Move center of map")},
         {QStringLiteral("左ｸﾘｯｸで地図中心を移動")}, {180, 17}, {150, 17},
         {QStringLiteral("R-btn => change Wind Dir"), QStringLiteral("[ Windward btn")},
         {QStringLiteral("右ｸﾘｯｸで風向を回転"), QStringLiteral("（「風向が上」にする）")},
         {180, 45}, {150, 45}},
        {QStringLiteral("btnHATENA"), C::Always, {QStringLiteral("Show HELP")},
         {QStringLiteral("操作マニュアルを表示します。")}, {100, 17}, {150, 17}, {}, {}, {}, {}},
        {QStringLiteral("Label1"), C::Always,
         {QStringLiteral("Web site: ") + makerWebAddress(), QStringLiteral("( for latest information )")},
         {QStringLiteral("ホームページ: ") + makerWebAddress(),
          QStringLiteral("ここから最新データをﾀﾞｳﾝﾛｰﾄﾞできます(準備中)")},
         {240, 32}, {280, 32}, {}, {}, {}, {}},
        {QStringLiteral("Command1"), C::EditModeWithRace, {QStringLiteral("Exit and return to Menu")},
         {QStringLiteral("メニュー画面に戻ります。")}, {180, 17}, {180, 17}, {}, {}, {}, {}},
        {QStringLiteral("Command9"), C::HintsOn,
         {QStringLiteral("Choose Race File in Left Box."), QStringLiteral("Then Click Here to Show.")},
         {QStringLiteral("左の窓でレースを選択してからこの"), QStringLiteral("ボタンを押せば選択したレースが見れます")},
         {230, 32}, {230, 32}, {}, {}, {}, {}},
        {QStringLiteral("Command10"), C::Always,
         {QStringLiteral("Start up graphical software"), QStringLiteral("and show present screen on it.")},
         {QStringLiteral("画像処理ソフトを立ち上げて現在"), QStringLiteral("表示されている画面の画像を表示します。"),
          QStringLiteral("（書き加え、修正、保存など可能）")},
         {220, 40}, {220, 40}, {}, {}, {}, {}},
        {QStringLiteral("Command13"), C::Always,
         {QStringLiteral("Show Reffernce Data."), QStringLiteral("<ex. Saling Notice, Race Results >")},
         {QStringLiteral("関係する資料を参照します。"), QStringLiteral("<　例.　帆走指示書、レース結果、写真>")},
         {220, 32}, {220, 32}, {}, {}, {}, {}},
    };
    static const QList<ControlHint> withWindEntry = [] {
        QList<ControlHint> t = table;
        // The wind entry hint was only ever written in Japanese; both languages show it.
        const QStringList windEntry = {
            QStringLiteral("ここをクリックすると風向入力モードになります。"),
            QStringLiteral("入力モードにしてからグラフをクリックして風向を"),
            QStringLiteral("入力していきます"),
            QStringLiteral("（時間軸の順序は問いませんので途中追加もＯＫです）"),
            QString(), // a blank line between how to enter and how to leave
            QStringLiteral("再度このボタンを押すとデータが記録されて入力モード"),
            QStringLiteral("から脱出できます。")};
        t.append({QStringLiteral("Command12"), HintCondition::HintsOn, windEntry, windEntry, {300, 90},
                  {300, 90}, {}, {}, {}, {}});
        return t;
    }();
    return withWindEntry;
}

std::optional<HintText> raceDisplayHint(const QString &objectName, const HintState &state)
{
    const QString base = stripIndex(objectName);
    for (const ControlHint &h : raceDisplayHints()) {
        if (h.objectName != objectName && h.objectName != base)
            continue;
        switch (h.condition) {
        case HintCondition::Always:
            break;
        case HintCondition::HintsOn:
            if (!state.hintsOn)
                return std::nullopt;
            break;
        case HintCondition::HintsOnNotTracing:
            if (!state.hintsOn || state.tracing)
                return std::nullopt;
            break;
        case HintCondition::EditModeWithRace:
            if (!state.editMode || !state.hasRaceFile)
                return std::nullopt;
            break;
        }
        QStringList lines = state.english ? h.english : h.japanese;
        QSize size = state.english ? h.sizeEnglish : h.sizeJapanese;
        if (state.editMode && !h.englishEditExtra.isEmpty()) {
            lines += state.english ? h.englishEditExtra : h.japaneseEditExtra;
            size = state.english ? h.sizeEnglishEdit : h.sizeJapaneseEdit;
        }
        return HintText{lines.join(QLatin1Char('\n')), size};
    }
    return std::nullopt;
}

HintText chartHint(ChartHintKind kind, bool english, double zoom)
{
    const bool showAll = zoom > 0.6;
    switch (kind) {
    case ChartHintKind::Zoom:
        if (english) {
            QString text = QStringLiteral("Click L-btn=> Enlarge Map\n      R-btn=> Shrink Map\n(shift + L => Move area)");
            if (showAll)
                text += QStringLiteral("\n( Shift + R => Show all area)");
            return {text, QSize(170, showAll ? 54 : 42)};
        } else {
            QString text = QStringLiteral("左ｸﾘｯｸで拡大/右ｸﾘｯｸで縮小\n（shift + 左ｸﾘｯｸで地図移動）");
            if (showAll)
                text += QStringLiteral("\n（Shift + 右ｸﾘｯｸで全図表示）");
            return {text, QSize(170, showAll ? 42 : 32)};
        }
    case ChartHintKind::LineFirstEnd:
        return {QStringLiteral("まずは１点目をクリック"), QSize(150, 17)};
    case ChartHintKind::LineSecondEnd:
        return {QStringLiteral("続いて2点目をクリック"), QSize(150, 17)};
    case ChartHintKind::PlaceMark:
        return {QStringLiteral("地図をクリックしてマーク設定"), QSize(200, 17)};
    }
    return {};
}

QString editRefusalMessage(EditRefusal refusal, bool english)
{
    switch (refusal) {
    case EditRefusal::TooManyMarks:
        return english ? QStringLiteral("No more marks: a race has at most 30.")
                       : QStringLiteral("マークは30個までです。これ以上は設定できません。");
    case EditRefusal::TooManyLines:
        return english ? QStringLiteral("No more lines: a race has at most 10.")
                       : QStringLiteral("ラインは10本までです。これ以上は設定できません。");
    case EditRefusal::TooManyCourseEntries:
        return english ? QStringLiteral("The course is full: it has at most 50 entries.")
                       : QStringLiteral("コースは50個までです。これ以上は追加できません。");
    case EditRefusal::None:
        break;
    }
    return {};
}
