#include "referencedialog.h"

#include "formtexts.h"
#include "referencelist.h"

#include <appsettings.h>
#include <dialogs.h>
#include <opendocument.h>
#include <racecontrol.h>

#include <QEventLoop>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

static void waitResponsive(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

ReferenceDialog::ReferenceDialog(const AppSettings &settings, const RaceControl &race, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_attachments(race.Attachments), m_wait(waitResponsive)
{
    setObjectName(QStringLiteral("RefFm"));
    setWindowTitle(formText(settings, FormText::ReferenceCaption));
    setModal(true);
    const float scale = settings.Scale;
    const auto px = [scale](int v) { return int(v * double(scale) + 0.5); };
    setFixedSize(px(320), px(250));
    QFont f = font();
    f.setFamily(settings.UiFontName);
    setFont(f);

    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setGeometry(px(8), px(8), px(304), px(198));
    m_list1->addItems(m_attachments);
    m_cancel = new QPushButton(QStringLiteral("CANCEL"), this);
    m_cancel->setObjectName(QStringLiteral("Command1"));
    m_cancel->setGeometry(px(182), px(214), px(130), px(26));
    for (QWidget *w : {static_cast<QWidget *>(m_list1), static_cast<QWidget *>(m_cancel)})
        w->setFont(f);

    connect(m_list1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { openLine(m_list1->row(item)); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ReferenceDialog::openLine(int line)
{
    if (line < 0 || line >= m_attachments.size())
        return;
    const QString attachment = m_attachments[line];
    if (!attachmentExists(m_settings, attachment)) {
        platform::dialogs().message(formText(m_settings, FormText::FileNotFound));
        return;
    }
    hide();
    OpenDocument(attachmentPath(m_settings, attachment));
    if (m_wait)
        m_wait(ReferenceOpenWaitMs);
    done(QDialog::Accepted);
}

void ShowReferences(const AppSettings &settings, const RaceControl &race, QWidget *parent)
{
    ReferenceDialog dialog(settings, race, parent);
    dialog.exec();
}
