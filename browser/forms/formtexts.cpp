#include "formtexts.h"

#include <appsettings.h>

#include <QHash>

namespace {

QHash<FormText, FormTextPair> buildTable()
{
    QHash<FormText, FormTextPair> t;
    // The spellings "FIle", "NothWd", "Overwight?." and "Refference" are the program's own
    // captions, kept as its users know them.
    t.insert(FormText::EditorCaption,
             {QStringLiteral("Edit Race Control FIle"),
              QStringLiteral("レース管理ファイル編集")});
    t.insert(FormText::Title1Label,
             {QStringLiteral("Title 1 <*>"),
              QStringLiteral("ﾀｲﾄﾙ1 (*)")});
    t.insert(FormText::Title2Label,
             {QStringLiteral("Title 2 <*>"),
              QStringLiteral("ﾀｲﾄﾙ2 (*)")});
    t.insert(FormText::ChooseGpsFile,
             {QStringLiteral("Choose GPS file"),
              QStringLiteral("GPSﾃﾞｰﾀﾌｧｲﾙ選択")});
    t.insert(FormText::LayLineUpLabel,
             {QStringLiteral("LayLine <UP>"),
              QStringLiteral("ﾚｲﾗｲﾝ(UP)")});
    t.insert(FormText::LayLineDownLabel,
             {QStringLiteral("(DN)"),
              QStringLiteral("(DN)")});
    t.insert(FormText::TimeDiffLabel,
             {QStringLiteral("Time Diff"),
              QStringLiteral("時差")});
    t.insert(FormText::MagVariationLabel,
             {QStringLiteral("Mag Variation <W=->"),
              QStringLiteral("磁気偏差(W = - )")});
    t.insert(FormText::LoaLabel,
             {QStringLiteral("LOA           m"),
              QStringLiteral("LOA           m")});
    t.insert(FormText::PreStartLabel,
             {QStringLiteral("Pre Start Time <min>"),
              QStringLiteral("スタート前の表示時間         分")});
    t.insert(FormText::SaveAndShow,
             {QStringLiteral("Save File and Show Race"),
              QStringLiteral("データ保存→レース表示")});
    t.insert(FormText::FrameNote,
             {QStringLiteral("All data in this frame can be changed at Show Race Screen."),
              QStringLiteral("この枠内のデータはレース表示画面で設定可能です。")});
    t.insert(FormText::StartLabel,
             {QStringLiteral("Start Time"),
              QStringLiteral("ｽﾀｰﾄ日時")});
    t.insert(FormText::FinishLabel,
             {QStringLiteral("FinishTime"),
              QStringLiteral("ﾌｨﾆｯｼｭ日時")});
    t.insert(FormText::WindDirectionLabel,
             {QStringLiteral("Wind Direction"),
              QStringLiteral("平均風向")});
    t.insert(FormText::MapDirectionFrame,
             {QStringLiteral("Map Direction"),
              QStringLiteral("コース表示")});
    t.insert(FormText::NorthUpOption,
             {QStringLiteral("NothWd"),
              QStringLiteral("北が上")});
    t.insert(FormText::WindUpOption,
             {QStringLiteral("WindWd"),
              QStringLiteral("風向が上")});
    t.insert(FormText::ChooseWindFile,
             {QStringLiteral("Choose Wind Data File"),
              QStringLiteral("風データを選択")});
    t.insert(FormText::WindDataLabel,
             {QStringLiteral("Wind Data"),
              QStringLiteral("風ﾃﾞｰﾀﾌｧｲﾙ")});
    t.insert(FormText::OpenRaceFile,
             {QStringLiteral("Open Race Control File"),
              QStringLiteral("レース管理ファイル読込")});
    t.insert(FormText::EditAsText,
             {QStringLiteral("Edit Race Control File with NotePad"),
              QStringLiteral("直接テキストを編集")});
    t.insert(FormText::EditorExit,
             {QStringLiteral("EXIT"),
              QStringLiteral("戻　　　　る")});
    t.insert(FormText::ChooseAttachments,
             {QStringLiteral("Choose Attachment Files"),
              QStringLiteral("添付資料選択")});
    t.insert(FormText::ClearAttachments,
             {QStringLiteral("Clear"),
              QStringLiteral("クリア")});
    t.insert(FormText::AttachmentsLabel,
             {QStringLiteral("Att Files"),
              QStringLiteral("添付資料")});
    t.insert(FormText::BoatListLabel,
             {QStringLiteral("BOAT NAME　＆  GPS FILE　　　　　 (　Shift + ｸﾘｯｸで削除　）"),
              QStringLiteral("BOAT NAME　＆  GPS FILE　　　　　 (　Shift + ｸﾘｯｸで削除　）")});
    t.insert(FormText::Instruction,
             {QStringLiteral("At least, GPS data are to be filled to show the race, (* can be ignored)  When all data are filled, click ' Save \r\nand Show Race' button. Mark ,Line and other data can be set in Race Screen."),
              QStringLiteral("最低限GPSファイルを選択、指定してください。　この枠内のデータを入力後「保存→レース表示ボタンで\r\nレースを表示してからマーク、ライン、スタート時刻などを入力可能です。　(*印は省略可)")});
    t.insert(FormText::DeleteHint,
             {QStringLiteral("Shift + Click to Delete One Data."),
              QStringLiteral("Shift　を押しながらクリックすると１行消去します。")});
    t.insert(FormText::BoatNamePrompt,
             {QStringLiteral("Input Boat Name to be Displayed\r\n(Max 13 Ltrs)"),
              QStringLiteral("表示される艇名を入力してください\r\n(Max 13 Ltrs)")});
    t.insert(FormText::IncorrectStart,
             {QStringLiteral("Incorrect start date or time"),
              QStringLiteral("スタートの日付、時間の入力スタイルが正しくありません")});
    t.insert(FormText::IncorrectFinish,
             {QStringLiteral("Incorrect finish date or time"),
              QStringLiteral("フィニッシュの日付、時間の入力スタイルが正しくありません")});
    t.insert(FormText::SaveQuestion,
             {QStringLiteral("Save Race Control File ?"),
              QStringLiteral("レース管理ファイルを保存しますか？")});
    t.insert(FormText::SaveQuestionCaption,
             {QStringLiteral("Save File"),
              QStringLiteral("ファイルの保存")});
    t.insert(FormText::ShowRacingQuestion,
             {QStringLiteral("Show racing ？"),
              QStringLiteral("レースを表示しますか？")});
    // Texts of our own: the bounds of the lists, an empty track folder, problems of a reader.
    t.insert(FormText::TooManyBoats,
             {QStringLiteral("A race holds at most 50 boats."),
              QStringLiteral("登録できる艇は50艇までです。")});
    t.insert(FormText::TooManyAttachments,
             {QStringLiteral("A race holds at most 50 attachment files."),
              QStringLiteral("登録できる添付資料は50個までです。")});
    t.insert(FormText::NoTrackFileChosen,
             {QStringLiteral("There is no GPS file to choose in gpsdat."),
              QStringLiteral("gpsdatに選択できるGPSファイルがありません。")});
    t.insert(FormText::ReadProblems,
             {QStringLiteral("Some lines could not be read:"),
              QStringLiteral("読めない行がありました:")});
    t.insert(FormText::ScreenImageNotWritten,
             {QStringLiteral("The screen image could not be written."),
              QStringLiteral("画像を書き込めません。")});
    t.insert(FormText::InputFileName,
             {QStringLiteral("Input File Name"),
              QStringLiteral("正しいファイル名を入れてください。")});
    t.insert(FormText::OverwriteQuestion,
             {QStringLiteral("Same File Name Exists.\r\nOverwight?."),
              QStringLiteral("同名のファイルがあります。\r\n上書きしますか？")});
    t.insert(FormText::ReferenceCaption,
             {QStringLiteral("Refference Files"),
              QStringLiteral("データ参照")});
    t.insert(FormText::FileNotFound,
             {QStringLiteral("File Not Found"),
              QStringLiteral("File Not Found")});
    // The race display. "Cintrol" and the full-width question marks are the program's own.
    t.insert(FormText::TimesIncorrect,
             {QStringLiteral("Incorrect data format !  Be sure the date format "),
              QStringLiteral("日時のﾃﾞｰﾀが正しくありません。必ず同じスタイルで入力してください。")});
    t.insert(FormText::TimesSaveQuestion,
             {QStringLiteral("Do you want to save Race Cintrol File？"),
              QStringLiteral("管理ファイルを保存しますか？")});
    t.insert(FormText::TimesNamePrompt,
             {QStringLiteral("Input race control file name"),
              QStringLiteral("レース管理ファイル名を入力してください")});
    t.insert(FormText::TimesNameCaption,
             {QStringLiteral("File Name"),
              QStringLiteral("レース管理ファイル名")});
    t.insert(FormText::TimesNameExample,
             {QStringLiteral("（ex. JapanCup2004_R2)"),
              QStringLiteral("（ex. JapanCup2004_R2)")});
    t.insert(FormText::ExitSaveQuestion,
             {QStringLiteral("Save Race Control File？"),
              QStringLiteral("管理ファイルを保存しますか？")});
    t.insert(FormText::ExitNamePrompt,
             {QStringLiteral("Input Race Control File Name"),
              QStringLiteral("レース管理ファイル名を入力してください")});
    t.insert(FormText::ExitNameCaption,
             {QStringLiteral("Race Control File name"),
              QStringLiteral("レース管理ファイル名")});
    t.insert(FormText::ExitNameExample,
             {QStringLiteral("（ex. JapanCup2005_R2)"),
              QStringLiteral("（ex. JapanCup2004_R2)")});
    t.insert(FormText::AlreadyShown,
             {QStringLiteral("Choose Other File"),
              QStringLiteral("既に表示されています")});
    return t;
}

} // namespace

const FormTextPair &formTextPair(FormText id)
{
    static const QHash<FormText, FormTextPair> table = buildTable();
    static const FormTextPair empty;
    const auto it = table.constFind(id);
    return it == table.constEnd() ? empty : *it;
}

QString formText(const AppSettings &settings, FormText id)
{
    const FormTextPair &pair = formTextPair(id);
    return settings.text(pair.english, pair.japanese);
}

QString englishOnlyCaption(const AppSettings &settings)
{
    return settings.isEnglish() ? QStringLiteral("orvane") : QString();
}
