#include "splashwindow.h"

#include <appsettings.h>

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>

namespace {

constexpr QSize PictureSize(480, 360);
constexpr QSize CaptionSize(464, 40);

// The splash picture of the product: the sea, a sail and the program's name.
QPixmap splashPicture(const AppSettings &settings)
{
    QPixmap pix(PictureSize);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, PictureSize.height());
    sky.setColorAt(0.0, QColor(18, 60, 120));
    sky.setColorAt(0.62, QColor(120, 170, 210));
    sky.setColorAt(0.63, QColor(10, 70, 110));
    sky.setColorAt(1.0, QColor(5, 35, 60));
    p.fillRect(pix.rect(), sky);
    QPainterPath sail;
    sail.moveTo(250, 80);
    sail.lineTo(250, 215);
    sail.lineTo(160, 215);
    sail.closeSubpath();
    p.fillPath(sail, QColor(250, 250, 245));
    QPainterPath jib;
    jib.moveTo(258, 96);
    jib.lineTo(320, 215);
    jib.lineTo(258, 215);
    jib.closeSubpath();
    p.fillPath(jib, QColor(235, 235, 225));
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.drawLine(254, 72, 254, 225);
    QPainterPath hull;
    hull.moveTo(150, 225);
    hull.lineTo(340, 225);
    hull.lineTo(320, 245);
    hull.lineTo(170, 245);
    hull.closeSubpath();
    p.fillPath(hull, QColor(200, 30, 30));
    QFont f(settings.UiFontName);
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 8, PictureSize.width(), 50), Qt::AlignCenter, settings.ProgramTitle);
    return pix;
}

QPixmap captionPicture(const AppSettings &settings)
{
    QPixmap pix(CaptionSize);
    pix.fill(QColor(5, 35, 60));
    QPainter p(&pix);
    QFont f(settings.JapaneseFontName);
    f.setPixelSize(16);
    p.setFont(f);
    p.setPen(Qt::white);
    // Image2 is shown only with the Japanese interface, so its text has no English twin.
    p.drawText(pix.rect(), Qt::AlignCenter, QStringLiteral("レースデータを読み込んでいます。しばらくお待ちください。"));
    return pix;
}

} // namespace

// Paints the progress text and bar; nothing while hidden.
class SplashProgressArea : public QWidget
{
public:
    SplashProgressArea(const SplashLayout &layout, QWidget *parent)
        : QWidget(parent), m_layout(layout)
    {
        setObjectName(QStringLiteral("splashProgress"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QString line1, line2;
    int bar = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QPoint origin = m_layout.progressText.topLeft();
        const QRect text = m_layout.progressText.translated(-origin);
        p.fillRect(text, Qt::white);
        p.setPen(Qt::black);
        p.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, line1 + u'\n' + line2);
        const QRect full = m_layout.progressBar.translated(-origin);
        p.fillRect(full, Qt::white);
        p.fillRect(m_layout.barFor(bar).translated(-origin), QColor(0, 0, 255));
    }

private:
    const SplashLayout &m_layout;
};

SplashWindow::SplashWindow(const AppSettings &settings, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("splite"));
    setWindowTitle(settings.ProgramTitle);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    m_layout = splashLayoutFor(screenRect.size(), PictureSize, CaptionSize, settings.isEnglish(), settings.Scale);
    setGeometry(screenRect);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 0));
    setPalette(pal);
    setAutoFillBackground(true);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setPixmap(splashPicture(settings));
    m_image1->setGeometry(m_layout.image1);

    m_image2 = new QLabel(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setPixmap(captionPicture(settings));
    m_image2->setGeometry(m_layout.image2);
    m_image2->setVisible(m_layout.image2Visible);

    m_progress = new SplashProgressArea(m_layout, this);
    m_progress->setGeometry(m_layout.progressText.united(m_layout.progressBar));
    QFont f(settings.UiFontName);
    f.setPointSizeF(std::max(1.0, 9.0 * settings.Scale));
    m_progress->setFont(f);
    m_progress->hide();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::showProgress(const QString &line1, const QString &line2, int barUnits)
{
    m_progress->line1 = line1;
    m_progress->line2 = line2;
    m_progress->bar = std::clamp(barUnits, 0, SplashBarFullUnits);
    m_progress->show();
    m_progress->raise();
    // Painted now: the load keeps the event loop busy until it ends.
    if (isVisible())
        m_progress->repaint();
}

void SplashWindow::hideProgress()
{
    m_progress->hide();
}

bool SplashWindow::isProgressShown() const
{
    return !m_progress->isHidden();
}

QString SplashWindow::progressLine1() const
{
    return m_progress->line1;
}

QString SplashWindow::progressLine2() const
{
    return m_progress->line2;
}

int SplashWindow::progressBarUnits() const
{
    return m_progress->bar;
}
