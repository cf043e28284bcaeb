// Message boxes and input boxes behind a small interface.
//
// Library code that must tell the user something, or ask, calls dialogs(). The program
// installs a widget implementation at start-up (WidgetDialogs); tests install a
// ScriptedDialogs that records every message and answers from a script, so no person is
// needed. Without an installed implementation messages go to standard error and every
// question is answered No (input boxes are cancelled).
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace platform {

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with an OK button. An empty caption means the program's default caption.
    virtual void message(const QString &text, const QString &caption = {}) = 0;
    // A question with Yes and No buttons: true for Yes.
    virtual bool askYesNo(const QString &text, const QString &caption = {}) = 0;
    // An input box: the text typed, or nothing when cancelled.
    virtual std::optional<QString> input(const QString &prompt, const QString &caption = {},
                                         const QString &defaultText = {}) = 0;
};

// The installed implementation (never null). Ownership stays with the caller of setDialogs.
Dialogs &dialogs();
// Installs an implementation; nullptr restores the standard-error one. Returns the previous one.
Dialogs *setDialogs(Dialogs *dialogs);

// The caption used when a message names none (the program's title).
void setDefaultCaption(const QString &caption);
QString defaultCaption();

// Writes messages to standard error as one line each ("caption: text"); answers No.
class StderrDialogs : public Dialogs
{
public:
    void message(const QString &text, const QString &caption = {}) override;
    bool askYesNo(const QString &text, const QString &caption = {}) override;
    std::optional<QString> input(const QString &prompt, const QString &caption = {},
                                 const QString &defaultText = {}) override;
};

// Records every message and question; answers questions and input boxes from queues
// (No and cancel once a queue is empty). For tests and batch use.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown {
        enum Kind { Message, Question, Input } kind;
        QString text;
        QString caption;
    };
    std::deque<bool> answers;
    std::deque<std::optional<QString>> inputs;
    QList<Shown> shown;

    void message(const QString &text, const QString &caption = {}) override;
    bool askYesNo(const QString &text, const QString &caption = {}) override;
    std::optional<QString> input(const QString &prompt, const QString &caption = {},
                                 const QString &defaultText = {}) override;
    QStringList messages() const; // texts of the plain messages, in order
};

// Installs a dialogs implementation for the lifetime of the guard.
class DialogsGuard
{
public:
    explicit DialogsGuard(Dialogs *d) : m_previous(setDialogs(d)) {}
    ~DialogsGuard() { setDialogs(m_previous); }
    DialogsGuard(const DialogsGuard &) = delete;
    DialogsGuard &operator=(const DialogsGuard &) = delete;

private:
    Dialogs *m_previous;
};

} // namespace platform
