#include "opendocument.h"

#include <dialogs.h>
#include <system.h>

#include <exception>

namespace {

DocumentOpener &installedOpener()
{
    static DocumentOpener opener;
    return opener;
}

constexpr int NoAssociation = 31;
constexpr int OpenerFailed = -1; // the opener raised an error and gave no value

} // namespace

DocumentOpener setDocumentOpener(DocumentOpener opener)
{
    DocumentOpener previous = std::move(installedOpener());
    installedOpener() = std::move(opener);
    return previous;
}

QString openDocumentFailureText(int value)
{
    // The system's own wording, shown in Japanese whatever the interface language.
    switch (value) {
    case 0: return QStringLiteral("メモリまたはリソースが足りません。");
    case 2: return QStringLiteral("ファイルが見つかりません。");
    case 3: return QStringLiteral("パスが見つかりません。");
    case 5: return QStringLiteral("アクセスは拒否されました。");
    case 11: return QStringLiteral("不正な形式の実行ファイルです。");
    case 27: return QStringLiteral("関連付けが不完全です。");
    case 31: return QStringLiteral("関連付けが指定されていません。");
    default: return QStringLiteral("ファイルを開けません。");
    }
}

bool OpenDocument(const QString &documentPath)
{
    int value = NoAssociation;
    if (const DocumentOpener &opener = installedOpener()) {
        try {
            value = opener(documentPath);
        } catch (const std::exception &) {
            value = OpenerFailed;
        }
    }
    if (value > 32)
        return true;
    platform::dialogs().message(openDocumentFailureText(value));
    return false;
}

platform::LocalDateTime UtcNow()
{
    return platform::utcNow();
}

platform::LocalDateTime LocalNow()
{
    return platform::localNow();
}

qint16 TimeZoneHours()
{
    return qint16(platform::timeZoneHours());
}
