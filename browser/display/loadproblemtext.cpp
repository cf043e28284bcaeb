#include "loadproblemtext.h"

#include <QDir>
#include <QList>

LoadProblemText loadProblemText(const FileProblems &problems, UiLanguage language)
{
    LoadProblemText t;
    if (problems.isEmpty())
        return t;
    const bool english = language == UiLanguage::English;

    // Files in the order the load read them, each with its count of lines and what was wrong
    // with it as a whole.
    struct PerFile {
        QString file;
        int lines = 0;
        QStringList whole;
    };
    QList<PerFile> files;
    for (const FileProblem &p : problems) {
        auto it = std::find_if(files.begin(), files.end(), [&p](const PerFile &f) { return f.file == p.file; });
        if (it == files.end()) {
            files.append({p.file, 0, {}});
            it = files.end() - 1;
        }
        if (p.kind == FileProblem::MoreProblems)
            it->lines += p.value.toInt();
        else if (p.line > 0)
            ++it->lines;
        else
            it->whole << p.what(language);
    }

    QStringList lines;
    lines << (english ? QStringLiteral("Some of the race's files could not be read in full. The race is shown "
                                       "without what could not be read:")
                      : QStringLiteral("レースのファイルに読めない部分がありました。読めない部分を除いてレースを表示します："));
    // A fleet whose every file has problems still gives a message that fits the screen.
    constexpr int MaxFilesNamed = 12;
    for (int i = 0; i < files.size(); ++i) {
        if (i == MaxFilesNamed) {
            const int more = int(files.size()) - MaxFilesNamed;
            lines << (english ? QStringLiteral("    and %1 more files").arg(more) : QStringLiteral("    ほか %1 ファイル").arg(more));
            break;
        }
        const PerFile &f = files[i];
        const QString name = QDir::toNativeSeparators(f.file);
        if (f.lines > 0) {
            lines << (english ? QStringLiteral("    %1: %2 %3").arg(name).arg(f.lines).arg(f.lines == 1 ? "line" : "lines")
                              : QStringLiteral("    %1: %2 行").arg(name).arg(f.lines));
        }
        for (const QString &what : f.whole)
            lines << QStringLiteral("    %1: %2").arg(name, what);
    }
    lines << QString()
          << (english ? QStringLiteral("Details lists each of them.") : QStringLiteral("「詳細」に一覧があります。"));
    t.summary = lines.join(u'\n');
    t.details = problemLines(problems, language).join(u'\n');
    t.detailsButton = english ? QStringLiteral("Details") : QStringLiteral("詳細");
    t.okButton = QStringLiteral("OK");
    return t;
}
