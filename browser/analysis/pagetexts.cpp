#include "pagetexts.h"

#include <QList>

namespace {

struct PagePair {
    PageTextId id;
    QString english;
    QString japanese;
};

// The full-width blanks (U+3000) of the Japanese titles are part of their layout.
const QList<PagePair> &pageTexts()
{
    static const QList<PagePair> table = {
        {PageTextId::AccTableTime, QStringLiteral("<Mk rnd time : sec>"),
         QStringLiteral("<マーク通過時間 : 秒>")},
        {PageTextId::LegTableTime, QStringLiteral("< Time by leg : sec >"),
         QStringLiteral("<レグ毎の所要時間 : 秒 >")},
        {PageTextId::AccTableDistance, QStringLiteral("<Acc sailed dist : m>"),
         QStringLiteral("<累計帆走距離：ｍ>")},
        {PageTextId::LegTableDistance, QStringLiteral("< Sailed dist by leg : m >"),
         QStringLiteral("<レグ毎の帆走距離 : ｍ >")},
        {PageTextId::AccTableSpeed, QStringLiteral("<Acc Speed : Kts>"),
         QStringLiteral("<帆走速度：\u3000ノット>")},
        {PageTextId::LegTableSpeed, QStringLiteral("< Speed by leg : Kts >"),
         QStringLiteral("<レグ毎の帆走速度：ノット>")},
        {PageTextId::BoatNameHeader, QStringLiteral("   Boat Name"),
         QStringLiteral("\u3000\u3000\u3000艇\u3000名")},
        {PageTextId::AccGraphTime, QStringLiteral("( Diff of mk rnd time : sec)"),
         QStringLiteral("(マーク回航時間差：秒)")},
        {PageTextId::LegGraphTime, QStringLiteral("( Diff of time by leg : sec)"),
         QStringLiteral("(レグ毎の時間差：秒)")},
        {PageTextId::AccGraphDistance, QStringLiteral("( Diff of acc sailed dist : m)"),
         QStringLiteral("(累計帆走距離差：ｍ)")},
        {PageTextId::LegGraphDistance, QStringLiteral("( Diff of sailed dist by leg : m)"),
         QStringLiteral("(レグ毎の帆走距離差：ｍ)")},
        {PageTextId::AccGraphSpeed, QStringLiteral("( Diff of acc speed : KTS)"),
         QStringLiteral("（累積速度差：ノット)")},
        {PageTextId::LegGraphSpeed, QStringLiteral("( Diff of speed by leg : Kts)"),
         QStringLiteral("(レグ毎の速度差：ノット)")},
        {PageTextId::FactorTitle, QStringLiteral("<Speed and Dist factor>  <Time＝Dist/SPD>"),
         QStringLiteral("<速度、帆走距離の要因分析>  <時間＝距離／速度>")},
        {PageTextId::FactorLegendTime, QStringLiteral("= elapse time by each leg : %  <lesser the better>  (best boat＝100%)"),
         QStringLiteral("= レグ毎の所要時間比率 : %    <少ないほど良い>\u3000（ベストタイム艇＝100%）")},
        {PageTextId::FactorLegendDistance, QStringLiteral("= Ratio of sailed dist : %  <shorter the better>"),
         QStringLiteral("= レグ毎帆走距離比率:％  \u3000  <少ないほど良い>")},
        {PageTextId::FactorLegendSpeed, QStringLiteral("= Ratio of boat speed : %  <faster the better>"),
         QStringLiteral("= レグ毎の速度比率:％\u3000\u3000\u3000\u3000<大きいほど良い>")},
        {PageTextId::FactorWholeRace, QStringLiteral("TTL"),
         QStringLiteral("総合")},
        {PageTextId::GraphDirectionHeader, QStringLiteral("BCO (Mag)"),
         QStringLiteral("BCO (Mag)")},
        {PageTextId::GraphDirectionWindPart, QStringLiteral(" & TWD(Mag) "),
         QStringLiteral(" & TWD(Mag) ")},
        {PageTextId::GraphSpeedHeader, QStringLiteral("BSP"),
         QStringLiteral("BSP")},
        {PageTextId::GraphSpeedWindPart, QStringLiteral(" & TWS"),
         QStringLiteral(" & TWS")},
        {PageTextId::WindStripCaption, QStringLiteral("TWD (mag)"),
         QStringLiteral("TWD (mag)")},
        {PageTextId::WindSaveQuestion, QStringLiteral("Do you want to save Wind Data File ?"),
         QStringLiteral("風データファイルを書き込みます")},
        {PageTextId::WindSaveCaption, QStringLiteral("Create Wind Data File"),
         QStringLiteral("風データの作成")},
        {PageTextId::WindOverwriteQuestion, QStringLiteral("Do you want to overwrite Wind File？"),
         QStringLiteral("風データファイルを書き換えますか？")},
        {PageTextId::WindOverwriteCaption, QStringLiteral("Overwrite of wind file "),
         QStringLiteral("風データの作成")},
        {PageTextId::WindLinkFailed, QStringLiteral("The wind file %1 was written, but the race file could not be changed to name it: %2"),
         QStringLiteral("風データファイル %1 を書き込みましたが、レースファイルに登録できませんでした: %2")},
    };
    return table;
}

} // namespace

QString pageText(PageTextId id, bool english)
{
    for (const PagePair &p : pageTexts())
        if (p.id == id)
            return english ? p.english : p.japanese;
    return {};
}
