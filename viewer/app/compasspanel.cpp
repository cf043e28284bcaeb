#include "compasspanel.h"

#include <trackingframe.h>
#include <viewerpainter.h>

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// The red ring that marks where the wind comes from.
class WindMark : public QWidget
{
public:
    explicit WindMark(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("windmk"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(9, 9);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::red, 2));
        p.drawEllipse(QRectF(1, 1, 7, 7));
    }
};

} // namespace

CompassPanel::CompassPanel(QWidget *parent) : QWidget(parent), m_picture(QStringLiteral(":/viewer/compass.png"))
{
    setObjectName(QStringLiteral("Panel1"));
    resize(CompassSize, CompassSize);
    m_compass = new QLabel(this);
    m_compass->setObjectName(QStringLiteral("compasst"));
    m_compass->setGeometry(0, 0, CompassSize, CompassSize);
    m_compass->setMouseTracking(true);
    m_compass->installEventFilter(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("Memo3"));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setGeometry(CompassSize / 2 - 16, CompassSize / 2 - 8, 32, 16);
    m_text->setStyleSheet(QStringLiteral("QLabel { color: #1b2f6b; font-weight: bold; }"));
    m_text->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_windMark = new WindMark(this);
    turn(0, QColor(160, 220, 255));
}

void CompassPanel::turn(double degrees, QColor sea)
{
    m_compass->setPixmap(QPixmap::fromImage(
        turnCompass(m_picture, degrees, ViewerRgb{sea.red(), sea.green(), sea.blue()}, CompassSize)));
}

void CompassPanel::setWind(const QString &text, QPointF markTopLeft)
{
    if (m_text->text() != text)
        m_text->setText(text);
    const QPoint at = markTopLeft.toPoint();
    if (m_windMark->pos() != at)
        m_windMark->move(at);
}

bool CompassPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_compass && event->type() == QEvent::MouseMove) {
        const QPointF p = static_cast<QMouseEvent *>(event)->position();
        const double dx = p.x() - CompassSize / 2.0, dy = p.y() - CompassSize / 2.0;
        emit hovered(std::sqrt(dx * dx + dy * dy) / CompassSize);
    }
    return QWidget::eventFilter(watched, event);
}
