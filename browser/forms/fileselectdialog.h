// The file name dialog "FmFileSelect": a name box (Text1), the files of the folder (File1),
// OK (Command1) and CANCEL (Command2). Modal; it reads its parameters when it opens and leaves
// its results in them when it closes (fileselect.h). What OK decides lives in fileselect.h;
// the dialog shows the messages and asks the overwrite question through platform::dialogs().
#pragma once

#include "fileselect.h"

#include <QDialog>

#include <functional>

struct AppSettings;
class QLineEdit;
class QListWidget;
class QPushButton;

class FileSelectDialog : public QDialog
{
    Q_OBJECT
public:
    // p must outlive the dialog; its results are written when the dialog closes.
    FileSelectDialog(const AppSettings &settings, FileSelectParameters &p, QWidget *parent = nullptr);

    QLineEdit *nameBox() const { return m_text1; }
    QListWidget *fileList() const { return m_file1; }

    // OK: accepts and closes, or tells the user and stays open.
    void ok();
    void cancel();

protected:
    void reject() override; // the close box and Escape cancel

private:
    const AppSettings &m_settings;
    FileSelectParameters &m_parameters;
    QLineEdit *m_text1 = nullptr;
    QListWidget *m_file1 = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Shows the dialog modally with the parameters and returns when it has closed; the results
// are in p. The program shows FileSelectDialog; tests install their own selector.
using FileSelector = std::function<void(FileSelectParameters &p, QWidget *parent)>;
void SelectFile(const AppSettings &settings, FileSelectParameters &p, QWidget *parent);
// Returns the previous selector; an empty one restores the dialog.
FileSelector setFileSelector(FileSelector selector);
