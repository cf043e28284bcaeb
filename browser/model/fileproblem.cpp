#include "fileproblem.h"

#include <QDir>

namespace {

struct Texts {
    const char16_t *english;
    const char16_t *japanese;
};

// Both languages of every description; "%1" is the problem's value.
Texts textsOf(FileProblem::Kind kind)
{
    switch (kind) {
    case FileProblem::FileNotFound: return {u"file not found", u"ファイルがありません"};
    case FileProblem::FileUnreadable: return {u"cannot be read: %1", u"読めません: %1"};
    case FileProblem::NotTrackFileName:
        return {u"not a GPS file name (TRK, DTR, trk or dtr at the end): no track read",
                u"GPSファイルの名前ではありません（末尾が TRK, DTR, trk, dtr）: 航跡を読みません"};
    case FileProblem::TrackFileTooShort:
        return {u"500 bytes or shorter: no track read", u"500バイト以下のため航跡を読みません"};
    case FileProblem::NoFixInRaceWindow:
        return {u"no fix in the race's time window", u"レースの時間内の測位点がありません"};
    case FileProblem::TrackFileGone:
        return {u"file not found: the boat is shown without a track",
                u"ファイルがありません: この艇は航跡なしで表示します"};
    case FileProblem::MoreProblems: return {u"%1 more lines with problems", u"ほかに問題のある行が %1 行"};
    case FileProblem::FileTooLarge:
        return {u"larger than %1 MB: only the lines within the first %1 MB are read",
                u"%1 MB を超えています: 最初の %1 MB の行だけを読みました"};
    case FileProblem::NoComma: return {u"line without a comma: skipped", u"カンマのない行: 読み飛ばしました"};
    case FileProblem::EmptyKey: return {u"line without a key: skipped", u"キーのない行: 読み飛ばしました"};
    case FileProblem::UnknownKey: return {u"unknown key \"%1\": skipped", u"不明なキー「%1」: 読み飛ばしました"};
    case FileProblem::UnreadableDateTime:
        return {u"date-time \"%1\" cannot be read: skipped", u"日時「%1」を読めません: 読み飛ばしました"};
    case FileProblem::NotANumber: return {u"\"%1\" is not a number: skipped", u"「%1」は数値ではありません: 読み飛ばしました"};
    case FileProblem::OutOfRange: return {u"\"%1\" is out of range: skipped", u"「%1」は範囲外です: 読み飛ばしました"};
    case FileProblem::LineTooLong:
        return {u"line longer than %1 characters: skipped", u"%1 文字を超える行: 読み飛ばしました"};
    case FileProblem::BoatWithoutTrackFile:
        return {u"boat without a GPS file: skipped", u"GPSファイル名のない艇: 読み飛ばしました"};
    case FileProblem::BoatWithoutName:
        return {u"boat without a name: named after its GPS file", u"艇名がないためGPSファイル名を艇名にしました"};
    case FileProblem::BoatLeftOut:
        return {u"GPS file \"%1\" not found: the boat is left out (its line stays in the file)",
                u"GPSファイル「%1」がありません: この艇を除いて表示します（行はファイルに残します）"};
    case FileProblem::BoatFileIsFolder:
        return {u"GPS file \"%1\" is a folder, not a file: the boat is left out (its line stays in the file)",
                u"GPSファイル「%1」はフォルダーです: この艇を除いて表示します（行はファイルに残します）"};
    case FileProblem::BoatFileLeadsNowhere:
        return {u"GPS file \"%1\" is a link that leads to no file: the boat is left out (its line stays in the file)",
                u"GPSファイル「%1」はどのファイルにもつながらないリンクです: この艇を除いて表示します（行はファイルに残します）"};
    case FileProblem::BoatFileNotRegular:
        return {u"GPS file \"%1\" is a device or a pipe, not a file: the boat is left out (its line stays in the file)",
                u"GPSファイル「%1」はファイルではありません（デバイスまたはパイプ）: この艇を除いて表示します（行はファイルに残します）"};
    case FileProblem::TooManyBoats:
        return {u"more than %1 boats: this BN line and every later one are skipped",
                u"艇が %1 を超えています: この BN 行と以降の BN 行を読み飛ばしました"};
    case FileProblem::TooManyMarks:
        return {u"more than %1 marks: this MK line and every later one are skipped",
                u"マークが %1 を超えています: この MK 行と以降の MK 行を読み飛ばしました"};
    case FileProblem::TooManyLines:
        return {u"more than %1 lines: this LN line and every later one are skipped",
                u"ラインが %1 を超えています: この LN 行と以降の LN 行を読み飛ばしました"};
    case FileProblem::TooManyCourseEntries:
        return {u"more than %1 course entries: the rest is not used", u"コースが %1 項目を超えています: 残りは使いません"};
    case FileProblem::TooManyCoastTiles:
        return {u"more than %1 coast tiles: this MAP line and every later one are skipped",
                u"海岸線ファイルが %1 を超えています: この MAP 行と以降の MAP 行を読み飛ばしました"};
    case FileProblem::TooManyAttachments:
        return {u"more than %1 attachments: this AT line and every later one are skipped",
                u"資料が %1 を超えています: この AT 行と以降の AT 行を読み飛ばしました"};
    case FileProblem::MarkNeedsTwoValues:
        return {u"a mark needs a latitude and a longitude: skipped", u"マークには緯度と経度が必要です: 読み飛ばしました"};
    case FileProblem::LineNeedsFourValues:
        return {u"a line needs two latitudes and two longitudes: skipped",
                u"ラインには緯度と経度が2組必要です: 読み飛ばしました"};
    case FileProblem::EmptyCourseEntry: return {u"empty course entry: skipped", u"空のコース項目: 読み飛ばしました"};
    case FileProblem::FewerThanSixItems: return {u"fewer than 6 items: skipped", u"項目が6つ未満: 読み飛ばしました"};
    case FileProblem::LatitudeWithoutHemisphere:
        return {u"latitude without N, S, + or -: skipped", u"緯度に N, S, +, - がありません: 読み飛ばしました"};
    case FileProblem::LongitudeWithoutHemisphere:
        return {u"longitude without E, W, + or -: skipped", u"経度に E, W, +, - がありません: 読み飛ばしました"};
    case FileProblem::InvalidLatitude: return {u"invalid latitude: skipped", u"緯度が不正です: 読み飛ばしました"};
    case FileProblem::InvalidLongitude: return {u"invalid longitude: skipped", u"経度が不正です: 読み飛ばしました"};
    case FileProblem::LatitudeOutOfRange: return {u"latitude out of range: skipped", u"緯度が範囲外です: 読み飛ばしました"};
    case FileProblem::LongitudeOutOfRange: return {u"longitude out of range: skipped", u"経度が範囲外です: 読み飛ばしました"};
    case FileProblem::InvalidDate: return {u"invalid date: skipped", u"日付が不正です: 読み飛ばしました"};
    case FileProblem::InvalidTime: return {u"invalid time: skipped", u"時刻が不正です: 読み飛ばしました"};
    case FileProblem::FewerThanThreeValues: return {u"fewer than three values: skipped", u"値が3つ未満: 読み飛ばしました"};
    case FileProblem::UnreadableMeshCode:
        return {u"mesh code \"%1\" cannot be read: its points are skipped",
                u"メッシュコード「%1」を読めません: その点を読み飛ばしました"};
    case FileProblem::UnreadablePoint: return {u"point \"%1\" cannot be read: skipped", u"点「%1」を読めません: 読み飛ばしました"};
    }
    return {u"%1", u"%1"};
}

} // namespace

QString FileProblem::what(UiLanguage language) const
{
    const Texts t = textsOf(kind);
    QString text = QString::fromUtf16(language == UiLanguage::English ? t.english : t.japanese);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(value);
    return text;
}

QString FileProblem::toString(UiLanguage language) const
{
    const QString name = QDir::toNativeSeparators(file);
    if (line > 0)
        return QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(what(language));
    return QStringLiteral("%1: %2").arg(name, what(language));
}

QStringList problemLines(const FileProblems &problems, UiLanguage language)
{
    QStringList lines;
    lines.reserve(problems.size());
    for (const FileProblem &p : problems)
        lines << p.toString(language);
    return lines;
}

ProblemReporter::ProblemReporter(FileProblems *list, QString file) : m_list(list), m_file(std::move(file)) {}

ProblemReporter::~ProblemReporter()
{
    if (m_list && m_count > m_listed)
        m_list->append({m_file, 0, FileProblem::MoreProblems, QString::number(m_count - m_listed)});
}

void ProblemReporter::addAgain()
{
    ++m_count;
}

void ProblemReporter::add(int line, FileProblem::Kind kind, const QString &value)
{
    ++m_count;
    if (!m_list || m_listed >= MaxListed)
        return;
    ++m_listed;
    // A value taken from a damaged file may be a whole megabyte of one line.
    constexpr qsizetype MaxValueChars = 60;
    QString shown = value.size() > MaxValueChars ? value.left(MaxValueChars) + QChar(0x2026) : value;
    m_list->append({m_file, line, kind, shown});
}

QString problemFileName(const QString &applicationFolder, const QString &path)
{
    if (applicationFolder.isEmpty())
        return QDir::fromNativeSeparators(path);
    const QString relative = QDir(applicationFolder).relativeFilePath(path);
    if (relative.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(relative))
        return QDir::fromNativeSeparators(path);
    return relative;
}
