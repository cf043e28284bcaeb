#include "dialogs.h"

#include <cstdio>

namespace platform {

static StderrDialogs g_stderrDialogs;
static Dialogs *g_dialogs = nullptr;
static QString g_defaultCaption;

Dialogs &dialogs()
{
    return g_dialogs ? *g_dialogs : g_stderrDialogs;
}

Dialogs *setDialogs(Dialogs *d)
{
    Dialogs *previous = g_dialogs;
    g_dialogs = d;
    return previous;
}

void setDefaultCaption(const QString &caption)
{
    g_defaultCaption = caption;
}

QString defaultCaption()
{
    return g_defaultCaption;
}

static void printLine(const QString &caption, const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\n', u' ');
    const QString c = caption.isEmpty() ? g_defaultCaption : caption;
    const QByteArray bytes = (c.isEmpty() ? line : c + QLatin1String(": ") + line).toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
}

void StderrDialogs::message(const QString &text, const QString &caption)
{
    printLine(caption, text);
}

bool StderrDialogs::askYesNo(const QString &text, const QString &caption)
{
    printLine(caption, text + QLatin1String(" (No)"));
    return false;
}

std::optional<QString> StderrDialogs::input(const QString &prompt, const QString &caption, const QString &)
{
    printLine(caption, prompt + QLatin1String(" (cancelled)"));
    return std::nullopt;
}

void ScriptedDialogs::message(const QString &text, const QString &caption)
{
    shown.append({Shown::Message, text, caption});
}

bool ScriptedDialogs::askYesNo(const QString &text, const QString &caption)
{
    shown.append({Shown::Question, text, caption});
    if (answers.empty())
        return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::input(const QString &prompt, const QString &caption, const QString &)
{
    shown.append({Shown::Input, prompt, caption});
    if (inputs.empty())
        return std::nullopt;
    auto a = inputs.front();
    inputs.pop_front();
    return a;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const Shown &s : shown) {
        if (s.kind == Shown::Message)
            texts << s.text;
    }
    return texts;
}

} // namespace platform
