// The notice the race display shows once after a load whose files had problems (lines the
// readers skipped, files that could not be read): a small window of its own, not modal, so the
// load and the replay go on behind it. It names each file with how many of its lines could not
// be read; "Details" opens the list of every problem, file and line. The texts come from
// loadProblemText(); the window is found by its object name "LoadProblemNotice".
#pragma once

#include <fileproblem.h>

#include <QDialog>

struct AppSettings;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class LoadProblemNotice : public QDialog
{
    Q_OBJECT
public:
    // Tells the user about the problems of the load that has just ended in window: replaces the
    // notice of an earlier load when it is still open, and closes it when there are none now.
    static void showFor(QWidget *window, const FileProblems &problems, const AppSettings &settings);

private:
    LoadProblemNotice(QWidget *window, const FileProblems &problems, const AppSettings &settings);

    QLabel *m_summary = nullptr;
    QPushButton *m_detailsButton = nullptr;
    QPlainTextEdit *m_details = nullptr;
};
