#include "readproblem.h"

namespace {

struct TextPair {
    const char *english;
    const char *japanese;
};

// One row per kind, in the order of ReadProblem::Kind; %1, %2 are the arguments.
constexpr TextPair Texts[] = {
    {"cannot be read: %1", "読み込めません: %1"},
    {"%1 needs %2 values: line skipped", "%1 には %2 個の値が必要です。この行を無視しました"},
    {"\"%1\" is not a number: line skipped", "「%1」は数値ではありません。この行を無視しました"},
    {"\"%1\" is not a date and time: line skipped", "「%1」は日時ではありません。この行を無視しました"},
    {"more than %1 %2 entries: this one and every later one left out",
     "%2 が %1 を超えました。これ以降の %2 を無視しました"},
    {"GPS file %1 not found: boat left out", "GPSファイル %1 がありません。この艇を除いて表示します"},
    {"attachment %1 not found", "添付資料 %1 がありません"},
    {"wind file %1 not found", "風データファイル %1 がありません"},
    {"no start time (ST): no sample can be placed in time", "スタート時刻 (ST) がありません。航跡を時刻に置けません"},
    {"no finish time (FT): the race is played to its last sample",
     "フィニッシュ時刻 (FT) がありません。最後の航跡点まで再生します"},
    {"finish time (FT) before the start time (ST): the race is played to its last sample",
     "フィニッシュ時刻 (FT) がスタート時刻 (ST) より前です。最後の航跡点まで再生します"},
    {"pre-start time \"%1\" is negative: 3 minutes used", "スタート前時間「%1」が負です。3 分とします"},
    {"%1 items where a sample has 6: line skipped", "項目数が %1 です (航跡点は 6 項目)。この行を無視しました"},
    {"coordinate \"%1\" cannot be read: line skipped", "座標「%1」を読めません。この行を無視しました"},
    {"date and time \"%1\" cannot be read: line skipped", "日時「%1」を読めません。この行を無視しました"},
    {"%1 samples dated more than 364 days from the race date %2: left out (the first here)",
     "レース日 %2 から 364 日を超える日付の航跡点 %1 個を無視しました (最初の行)"},
    {"%1 has no sample within the race period", "%1 にはレース時間内の航跡点がありません"},
    {"course element %1 names no mark or line", "コース %1 に当たるマークもラインもありません"},
    {"coast point \"%1\" cannot be read: point skipped", "海岸線の点「%1」を読めません。この点を無視しました"},
    {"racefile.st names %1, which is not in raceadmin: the first race is shown",
     "racefile.st の %1 は raceadmin にありません。最初のレースを表示します"},
    {"%1 more lines with problems", "ほかに問題のある行が %1 行"},
    {"larger than %1 MB: only the lines within the first %1 MB are read",
     "%1 MB を超えています。最初の %1 MB の行だけを読みました"},
    {"line longer than %1 characters: skipped", "%1 文字を超える行です。この行を無視しました"},
    {"GPS file %1 is a folder, not a file: boat left out", "GPSファイル %1 はフォルダーです。この艇を除いて表示します"},
    {"GPS file %1 is a link that leads to no file: boat left out",
     "GPSファイル %1 はどのファイルにもつながらないリンクです。この艇を除いて表示します"},
    {"GPS file %1 is a device or a pipe, not a file: boat left out",
     "GPSファイル %1 はファイルではありません (デバイスまたはパイプ)。この艇を除いて表示します"},
    {"\"%1\" lies outside %2 to %3: line skipped", "「%1」は %2 から %3 の範囲外です。この行を無視しました"},
};

static_assert(sizeof(Texts) / sizeof(Texts[0]) == ReadProblem::OutOfRange + 1,
              "one text pair per problem kind");

} // namespace

QString ReadProblem::text(int language) const
{
    const TextPair &pair = Texts[What];
    QString s = language >= 1 ? QString::fromUtf8(pair.english) : QString::fromUtf8(pair.japanese);
    // All arguments in one pass, so a "%2" inside a file name is not taken for a place holder.
    switch (Args.size()) {
    case 0:
        return s;
    case 1:
        return s.arg(Args[0]);
    case 2:
        return s.arg(Args[0], Args[1]);
    default:
        return s.arg(Args[0], Args[1], Args[2]);
    }
}

QString ReadProblem::toString(int language) const
{
    if (Line > 0)
        return QStringLiteral("%1:%2: %3").arg(File).arg(Line).arg(text(language));
    return QStringLiteral("%1: %2").arg(File, text(language));
}

ProblemRecorder::ProblemRecorder(ReadProblems &list, QString file) : m_list(list), m_file(std::move(file)) {}

ProblemRecorder::~ProblemRecorder()
{
    if (m_count > m_listed)
        m_list.append({m_file, 0, ReadProblem::MoreProblems, {QString::number(m_count - m_listed)}});
}

void ProblemRecorder::add(int line, ReadProblem::Kind kind, QStringList args)
{
    ++m_count;
    if (m_listed >= MaxListed)
        return;
    ++m_listed;
    for (QString &a : args) {
        if (a.size() > MaxArgChars)
            a = a.left(MaxArgChars) + QChar(0x2026);
    }
    m_list.append({m_file, line, kind, std::move(args)});
}
