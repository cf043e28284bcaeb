#include "fileselectdialog.h"

#include "formtexts.h"

#include <appsettings.h>
#include <dialogs.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

FileSelector &installedSelector()
{
    static FileSelector selector;
    return selector;
}

} // namespace

FileSelectDialog::FileSelectDialog(const AppSettings &settings, FileSelectParameters &p, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_parameters(p)
{
    setObjectName(QStringLiteral("FmFileSelect"));
    setWindowTitle(settings.ProgramTitle);
    setModal(true);
    const float scale = settings.Scale;
    const auto px = [scale](int v) { return int(v * double(scale) + 0.5); };
    setFixedSize(px(300), px(276));

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(px(8), px(8), px(284), px(22));
    m_file1 = new QListWidget(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file1->setGeometry(px(8), px(36), px(284), px(196));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setGeometry(px(8), px(240), px(138), px(26));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("CANCEL"), this);
    m_cancel->setObjectName(QStringLiteral("Command2"));
    m_cancel->setGeometry(px(154), px(240), px(138), px(26));

    // In English every control takes the interface font; the Japanese design keeps its own.
    if (settings.isEnglish()) {
        for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_text1),
                           static_cast<QWidget *>(m_file1), static_cast<QWidget *>(m_ok),
                           static_cast<QWidget *>(m_cancel)}) {
            QFont f = w->font();
            f.setFamily(settings.UiFontName);
            w->setFont(f);
        }
    }

    m_file1->addItems(fileSelectListing(p.Folder));
    m_text1->setText(initialNameBoxText(p));
    // The box starts selected, so a typed name replaces the pattern.
    m_text1->selectAll();
    m_text1->setFocus();

    connect(m_file1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { m_text1->setText(item->text()); });
    connect(m_file1, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        m_text1->setText(item->text());
        ok();
    });
    connect(m_ok, &QPushButton::clicked, this, &FileSelectDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &FileSelectDialog::cancel);
}

void FileSelectDialog::ok()
{
    m_parameters.Path.clear();
    m_parameters.Name.clear();
    const FileSelectDecision d = decideFileSelect(m_parameters, m_text1->text());
    switch (d.outcome) {
    case FileSelectDecision::InvalidName:
        platform::dialogs().message(formText(m_settings, FormText::InputFileName));
        return;
    case FileSelectDecision::AskOverwrite:
        if (!platform::dialogs().askYesNo(formText(m_settings, FormText::OverwriteQuestion)))
            return;
        break;
    case FileSelectDecision::Accept:
        break;
    }
    acceptFileSelect(m_parameters, d);
    done(QDialog::Accepted);
}

void FileSelectDialog::cancel()
{
    m_parameters.Path.clear();
    m_parameters.Name.clear();
    done(QDialog::Rejected);
}

void FileSelectDialog::reject()
{
    cancel();
}

void SelectFile(const AppSettings &settings, FileSelectParameters &p, QWidget *parent)
{
    if (const FileSelector &selector = installedSelector()) {
        selector(p, parent);
        return;
    }
    FileSelectDialog dialog(settings, p, parent);
    dialog.exec();
}

FileSelector setFileSelector(FileSelector selector)
{
    FileSelector previous = std::move(installedSelector());
    installedSelector() = std::move(selector);
    return previous;
}
