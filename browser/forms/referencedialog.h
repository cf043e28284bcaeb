// The reference list "RefFm": the race's attachments (List1) and CANCEL (Command1). A click on
// a line opens that attachment with the program the desktop associates with it: the list
// hides, hands the file to OpenDocument, waits a moment and closes. A missing file says
// "File Not Found" and the list stays. Modal.
#pragma once

#include <QDialog>

#include <functional>

struct AppSettings;
struct RaceControl;
class QListWidget;
class QPushButton;

class ReferenceDialog : public QDialog
{
    Q_OBJECT
public:
    ReferenceDialog(const AppSettings &settings, const RaceControl &race, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list1; }
    // Opens attachment `line` (0 = the first) as a click on its line does.
    void openLine(int line);

    // The wait after handing a document over, in milliseconds. The default keeps the program
    // responsive while it waits; tests record it instead.
    using Waiter = std::function<void(int milliseconds)>;
    void setWaiter(Waiter waiter) { m_wait = std::move(waiter); }

private:
    const AppSettings &m_settings;
    QStringList m_attachments;
    QListWidget *m_list1 = nullptr;
    QPushButton *m_cancel = nullptr;
    Waiter m_wait;
};

// Shows the list modally (the race display's reference button).
void ShowReferences(const AppSettings &settings, const RaceControl &race, QWidget *parent);
