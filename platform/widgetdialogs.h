// The message and input boxes of a desktop program, on Qt widgets.
#pragma once

#include "dialogs.h"

class QWidget;

namespace platform {

class WidgetDialogs : public Dialogs
{
public:
    // parent: the window that owns the boxes (may be null).
    explicit WidgetDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void message(const QString &text, const QString &caption = {}) override;
    bool askYesNo(const QString &text, const QString &caption = {}) override;
    std::optional<QString> input(const QString &prompt, const QString &caption = {},
                                 const QString &defaultText = {}) override;

private:
    QWidget *m_parent;
};

} // namespace platform
