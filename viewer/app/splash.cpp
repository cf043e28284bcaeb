#include "splash.h"

#include <viewerlayout.h>

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int PictureWidth = SplashPictureWidth, PictureHeight = SplashPictureHeight;

QLabel *label(const char *name, QWidget *parent, const QString &style)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setStyleSheet(style);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

ProgressImage::ProgressImage(const QString &objectName, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
}

void ProgressImage::setProgress(int done, int total)
{
    m_done = done;
    m_total = total;
    repaint();
}

void ProgressImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::yellow);
    if (m_total > 0)
        p.fillRect(QRect(0, 0, m_done * width() / m_total, height()), QColor(0, 0, 255));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

SplashWindow::SplashWindow()
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette olive = palette();
    olive.setColor(QPalette::Window, QColor(128, 128, 0));
    setPalette(olive);
    m_picture = label("Image1", this, {});
    m_picture->setPixmap(QPixmap(QStringLiteral(":/viewer/splash.png")));
    m_bar = new ProgressImage(QStringLiteral("Image2"), this);
    m_file = label("memo1", this, QStringLiteral("QLabel { color: white; }"));
    m_title = label("memo2", this, QStringLiteral("QLabel { color: aqua; font-weight: bold; font-style: italic; font-size: 20px; }"));
    m_bar->hide();
    m_file->hide();
    m_title->hide();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
}

void SplashWindow::resizeEvent(QResizeEvent *)
{
    const int left = (width() - PictureWidth) / 2, top = (height() - PictureHeight) / 2;
    m_picture->setGeometry(left, top, PictureWidth, PictureHeight);
    m_bar->setGeometry(left, top - 50, PictureWidth, 14);
    m_file->setGeometry(left, top - 70, PictureWidth, 18);
    m_title->setGeometry(left - 100, top - 140, PictureWidth + 200, 30);
}

void SplashWindow::showProgress(const QString &title, const QString &gpsFile, int boatNumber, int boatCount)
{
    m_file->setText(QStringLiteral("LOADING  %1  (%2/%3)").arg(gpsFile).arg(boatNumber).arg(boatCount));
    m_file->show();
    m_title->setText(title.trimmed());
    m_title->show();
    setWindowTitle(title);
    m_bar->show();
    m_bar->setProgress(boatNumber, boatCount);
    m_file->repaint();
    m_title->repaint();
}

SplashPanel::SplashPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlSPLITE"));
    setAutoFillBackground(true);
    QPalette olive = palette();
    olive.setColor(QPalette::Window, QColor(128, 128, 0));
    setPalette(olive);
    m_picture = label("Image2", this, {});
    m_picture->setPixmap(QPixmap(QStringLiteral(":/viewer/splash.png")));
    m_bar = new ProgressImage(QStringLiteral("Image3"), this);
    m_file = label("memo4", this, QStringLiteral("QLabel { color: white; }"));
    m_title = label("memo5", this, QStringLiteral("QLabel { color: aqua; font-weight: bold; font-style: italic; font-size: 20px; }"));
}

void SplashPanel::startLoad()
{
    m_file->clear();
    m_title->clear();
    m_bar->setProgress(0, 0);
}

void SplashPanel::showProgress(const QString &title, const QString &gpsFile, int boatNumber, int boatCount)
{
    m_title->setText(title.trimmed());
    m_file->setText(gpsFile);
    m_title->show();
    m_file->show();
    m_bar->setProgress(boatNumber, boatCount);
    m_title->repaint();
    m_file->repaint();
}
