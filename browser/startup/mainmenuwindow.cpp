#include "mainmenuwindow.h"

#include <appsettings.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr QSize TitlePictureSize(340, 396);

QRect scaled(const QRect &r, float scale)
{
    const auto px = [scale](int v) { return int(v * double(scale) + 0.5); };
    return {px(r.left()), px(r.top()), px(r.width()), px(r.height())};
}

QRect twipsRect(const QRect &twips, float scale)
{
    return {twipsToPixels(twips.left(), scale), twipsToPixels(twips.top(), scale),
            twipsToPixels(twips.width(), scale), twipsToPixels(twips.height(), scale)};
}

// The title picture of the product: the program's name over a course on the sea.
QPixmap titlePicture(const AppSettings &settings, float scale)
{
    const QSize size = TitlePictureSize * double(scale);
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QRect r(QPoint(0, 0), TitlePictureSize);
    QLinearGradient sea(0, 0, 0, r.height());
    sea.setColorAt(0.0, QColor(20, 90, 150));
    sea.setColorAt(1.0, QColor(8, 40, 80));
    p.fillRect(r, sea);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1, Qt::DashLine));
    p.drawLine(60, 330, 280, 110);
    p.drawLine(280, 110, 80, 200);
    p.setBrush(QColor(255, 200, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(280, 110), 7, 7);
    p.drawEllipse(QPointF(60, 330), 7, 7);
    const QColor boats[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(255, 255, 255)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath sail;
        const double x = 110 + 55 * i, y = 300 - 60 * i;
        sail.moveTo(x, y - 34);
        sail.lineTo(x, y);
        sail.lineTo(x - 22, y);
        sail.closeSubpath();
        p.fillPath(sail, boats[i]);
    }
    QFont f(settings.UiFontName);
    f.setPixelSize(38);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 24, r.width(), 56), Qt::AlignCenter, settings.ProgramTitle);
    f.setPixelSize(14);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 80, r.width(), 24), Qt::AlignCenter, QStringLiteral("GPS Race Browser"));
    return pix;
}

} // namespace

MainMenuWindow::MainMenuWindow(const AppSettings &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings)
{
    const float scale = settings.Scale;
    setObjectName(QStringLiteral("frmTitle"));
    setWindowTitle(settings.ProgramTitle);
    setFixedSize(twipsToPixels(MenuLayout::WindowWidthTwips, scale), twipsToPixels(MenuLayout::WindowHeightTwips, scale));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(17, 72, 26));
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
    QFont font(settings.UiFontName);
    font.setPointSizeF(std::max(1.0, MenuLayout::FontPoints * double(scale)));
    setFont(font);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Image1"));
    const QPixmap title = titlePicture(settings, scale);
    m_title->setPixmap(title);
    m_title->setGeometry((width() - title.width()) / 2, int(MenuLayout::TitleTop * scale + 0.5), title.width(), title.height());
    m_title->setMouseTracking(true);
    m_title->installEventFilter(this);

    for (const MenuButton &b : menuButtons()) {
        auto *button = new QPushButton(b.caption, this);
        button->setObjectName(b.objectName);
        button->setGeometry(scaled(b.place, scale));
        button->installEventFilter(this);
        const MenuAction action = b.action;
        connect(button, &QPushButton::clicked, this, [this, action] { emit actionTriggered(action); });
        m_buttons.append(button);
    }

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("lblHint"));
    m_hint->setAutoFillBackground(true);
    QPalette hintPal = m_hint->palette();
    hintPal.setColor(QPalette::Window, QColor(255, 255, 225));
    hintPal.setColor(QPalette::WindowText, Qt::black);
    m_hint->setPalette(hintPal);
    m_hint->setFrameShape(QFrame::Box);
    m_hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_hint->setWordWrap(false);
    m_hint->setMargin(0);
    m_hint->setIndent(2);
    m_hint->hide();

    m_chooser = new QFrame(this);
    m_chooser->setObjectName(QStringLiteral("Frame1"));
    m_chooser->setFrameShape(QFrame::Box);
    m_chooser->setGeometry(scaled(MenuLayout::chooserFrame(), scale));
    m_chooser->setAutoFillBackground(true);
    m_list = new QComboBox(m_chooser);
    m_list->setObjectName(QStringLiteral("Combo1"));
    m_list->setGeometry(twipsRect(MenuLayout::chooserListTwips(), scale));
    m_ok = new QPushButton(QStringLiteral("OK"), m_chooser);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(twipsRect(MenuLayout::chooserOkTwips(), scale));
    m_cancel = new QPushButton(QStringLiteral("CANCEL"), m_chooser);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setGeometry(twipsRect(MenuLayout::chooserCancelTwips(), scale));
    m_chooser->hide();
    connect(m_ok, &QPushButton::clicked, this, [this] { emit chooserAccepted(chosenName()); });
    connect(m_cancel, &QPushButton::clicked, this, &MainMenuWindow::hideChooser);
}

QPushButton *MainMenuWindow::button(MenuAction action) const
{
    const QList<MenuButton> &preset = menuButtons();
    for (int i = 0; i < preset.size(); ++i) {
        if (preset[i].action == action)
            return m_buttons[i];
    }
    return nullptr;
}

void MainMenuWindow::showChooser(const QStringList &names)
{
    m_list->clear();
    m_list->addItems(names);
    if (!names.isEmpty())
        m_list->setCurrentIndex(0);
    m_chooser->show();
    m_chooser->raise();
}

void MainMenuWindow::hideChooser()
{
    m_chooser->hide();
}

bool MainMenuWindow::isChooserShown() const
{
    return !m_chooser->isHidden();
}

QString MainMenuWindow::chosenName() const
{
    return m_list->currentText();
}

QStringList MainMenuWindow::chooserItems() const
{
    QStringList items;
    for (int i = 0; i < m_list->count(); ++i)
        items.append(m_list->itemText(i));
    return items;
}

void MainMenuWindow::setHelpAvailable(bool available)
{
    button(MenuAction::Help)->setVisible(available);
}

void MainMenuWindow::showHint(const MenuButton &b)
{
    if (b.hintHeight <= 0) {
        hideHint();
        return;
    }
    m_hint->setText(menuHint(m_settings, b));
    m_hint->setGeometry(scaled(MenuLayout::hintBox(b.hintHeight), m_settings.Scale));
    m_hint->show();
    m_hint->raise();
}

void MainMenuWindow::hideHint()
{
    m_hint->hide();
}

bool MainMenuWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const int i = m_buttons.indexOf(qobject_cast<QPushButton *>(watched));
        if (i >= 0)
            showHint(menuButtons()[i]);
        else if (watched == m_title)
            hideHint();
    }
    return QWidget::eventFilter(watched, event);
}

void MainMenuWindow::mouseMoveEvent(QMouseEvent *event)
{
    hideHint();
    QWidget::mouseMoveEvent(event);
}

void MainMenuWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closeRequested();
}
