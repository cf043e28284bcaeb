#include "loadproblemnotice.h"

#include "loadproblemtext.h"

#include <appsettings.h>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

void LoadProblemNotice::showFor(QWidget *window, const FileProblems &problems, const AppSettings &settings)
{
    // One notice a window: the one of an earlier load goes, whether or not this load has one.
    // Loads never start from the notice itself, so it can go at once.
    const auto old = window->findChildren<LoadProblemNotice *>(QString(), Qt::FindDirectChildrenOnly);
    qDeleteAll(old);
    if (problems.isEmpty())
        return;
    auto *notice = new LoadProblemNotice(window, problems, settings);
    notice->show();
    notice->raise();
}

LoadProblemNotice::LoadProblemNotice(QWidget *window, const FileProblems &problems, const AppSettings &settings)
    : QDialog(window)
{
    const LoadProblemText text = loadProblemText(problems, settings.Language);
    setObjectName(QStringLiteral("LoadProblemNotice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(settings.ProgramTitle);

    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    m_summary = new QLabel(text.summary, this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_details = new QPlainTextEdit(text.details, this);
    m_details->setObjectName(QStringLiteral("DetailsText"));
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_details->setMinimumHeight(160);
    // Wide enough for the longest line, up to what a screen holds.
    int widest = 0;
    for (const QString &line : text.details.split(u'\n'))
        widest = std::max(widest, m_details->fontMetrics().horizontalAdvance(line));
    m_details->setMinimumWidth(std::min(widest + 40, 1000));
    m_details->hide();

    auto *buttons = new QDialogButtonBox(this);
    m_detailsButton = buttons->addButton(text.detailsButton, QDialogButtonBox::ActionRole);
    m_detailsButton->setObjectName(QStringLiteral("Details"));
    m_detailsButton->setCheckable(true);
    QPushButton *ok = buttons->addButton(text.okButton, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_detailsButton, &QPushButton::toggled, this, [this](bool on) {
        m_details->setVisible(on);
        adjustSize();
    });

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(m_summary, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_details, 1);
    layout->addWidget(buttons);
}
