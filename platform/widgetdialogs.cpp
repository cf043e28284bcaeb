#include "widgetdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace platform {

static QString captionOr(const QString &caption)
{
    if (!caption.isEmpty())
        return caption;
    return defaultCaption().isEmpty() ? QApplication::applicationName() : defaultCaption();
}

static QString plain(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

void WidgetDialogs::message(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, captionOr(caption), plain(text), QMessageBox::Ok, m_parent);
    box.setObjectName("MsgBox");
    box.exec();
}

bool WidgetDialogs::askYesNo(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Question, captionOr(caption), plain(text), QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setObjectName("MsgBox");
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> WidgetDialogs::input(const QString &prompt, const QString &caption, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, captionOr(caption), plain(prompt), QLineEdit::Normal,
                                               defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace platform
