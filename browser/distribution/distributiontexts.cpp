#include "distributiontexts.h"

#include <appsettings.h>

#include <QHash>

namespace {

QHash<DistributionText, DistributionTextPair> buildTable()
{
    using T = DistributionText;
    QHash<T, DistributionTextPair> t;
    const auto add = [&t](T id, const char16_t *english, const char16_t *japanese) {
        t.insert(id, {QString::fromUtf16(english), QString::fromUtf16(japanese)});
    };
    add(T::WindowCaption, u"Create Distribution File", u"配布データの作成");
    add(T::FolderLabel, u"Folder Name to be Saved  ( to be New Name ) ", u"配布データを収納するフォルダー名　(新しい名称）");
    add(T::ChooseLabel, u"Choose Race File Name to Distribute ", u"レースファイル選択 ");
    add(T::ChosenLabel, u"List of Race File", u"配布レースファイルのリスト");
    add(T::RedoButton, u"ReDO", u"やり直し");
    add(T::StartupLabel, u"Startup Race Name ( Click Name listed above )",
        u"ｽﾀｰﾄｱｯﾌﾟ時のﾚｰｽﾌｧｲﾙ名　（上段配布ﾚｰｽﾌｧｲﾙから選択）");
    add(T::MediaFrame, u"Media for Distribution", u"ファイルの種類");
    add(T::WebOption, u"WEB", u"ＷＥＢ配信用");
    add(T::CdRomOption, u"CD-ROM", u"CD-ROM作成");
    add(T::MinimiseCheck, u"データサイズ最小化", u"データサイズ最小化");
    add(T::AttachMapsCheck, u"Attach Map Data", u"地図データ添付");
    add(T::CancelButton, u"Cancel", u"キャンセル");
    add(T::CreateButton, u"Create Distribution File", u"配布ファイル作成");

    add(T::EmptyFolderName, u"Input folder name to be saved", u"収納するフォルダー名を入れてください");
    add(T::FolderExists, u"The same name folder exists. Input other name.",
        u"同名のフォルダーがあります。新しい名前を入れてください。");
    add(T::FolderExistsCaption, u"orvane", u"フォルダー名");
    add(T::CreateQuestion, u"Do you want to create new folder for distribution ?", u"配布データフォルダーを作成しますか？");
    add(T::CreateQuestionCaption, u"orvane", u"配布用フォルダー名");
    add(T::BadFolderName, u"A folder name cannot hold \\ or / and cannot be . or .. Input other name.",
        u"フォルダー名に \\ や / は使えません。. や .. も使えません。新しい名前を入れてください。");
    add(T::StartupRaceNotChosen,
        u"The startup race name is not in the list of race files to distribute. Click a name in the list.",
        u"ｽﾀｰﾄｱｯﾌﾟ時のﾚｰｽﾌｧｲﾙが配布レースファイルのリストにありません。リストから選択してください。");
    add(T::TooManyChosen, u"No more than 50 race files can be distributed at once.",
        u"一度に配布できるレースファイルは50までです。");
    add(T::TooManyAvailable, u"Only the first 200 race files are listed.",
        u"レースファイルは最初の200件だけを表示します。");
    add(T::BuildFailed, u"The distribution could not be created.", u"配布データを作成できませんでした。");
    add(T::FolderRemoved, u"The unfinished folder %1 was removed.", u"作りかけのフォルダー %1 は削除しました。");
    add(T::FolderNotRemoved, u"The unfinished folder %1 could not be removed.",
        u"作りかけのフォルダー %1 を削除できませんでした。");
    add(T::BuildRemarks, u"The distribution was created in %1, with these remarks:",
        u"配布データを %1 に作成しました。次の点を確認してください：");
    add(T::MissingFile, u"%1 is not in %2 and was not copied", u"%1 が %2 にないため、コピーしていません");
    add(T::RefusedName, u"%1 leads out of its folder and was not copied", u"%1 はフォルダーの外を指すため、コピーしていません");
    add(T::RuntimeProblem, u"runtime file: %1", u"ランタイムファイル: %1");
    return t;
}

} // namespace

const DistributionTextPair &distributionTextPair(DistributionText id)
{
    static const QHash<DistributionText, DistributionTextPair> table = buildTable();
    static const DistributionTextPair empty;
    const auto it = table.constFind(id);
    return it == table.constEnd() ? empty : *it;
}

QString distributionText(const AppSettings &settings, DistributionText id)
{
    const DistributionTextPair &pair = distributionTextPair(id);
    return settings.text(pair.english, pair.japanese);
}
