#include "graphpagewidget.h"

#include "pagecanvas.h"
#include "pagehost.h"

#include <displaytexts.h>
#include <pagepainter.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

GraphPageWidget::GraphPageWidget(PageHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    const AppSettings &settings = host.settings();
    GPIC = new PageCanvas(QStringLiteral("GPIC"), this);
    GPIC->setMouseTracking(true);
    GPIC->setOverlay([this](QPainter &p) {
        paintPointerAid(p, m_aid, m_host.settings().UiFontName, m_host.settings().Scale);
    });
    connect(GPIC, &PageCanvas::mouseMoved, this, [this](QMouseEvent *e) { pointerAt(e->position()); });
    connect(GPIC, &PageCanvas::mousePressed, this, [this](QMouseEvent *e) {
        if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
            pressAt(e->position());
    });

    Command12 = new QPushButton(this);
    Command12->setObjectName(QStringLiteral("Command12"));
    Command12->setText(raceDisplayCaption(Command12->objectName(), settings.isEnglish()));
    Command12->setGeometry(5, 5, 113, 17);
    QFont font = Command12->font();
    font.setPixelSize(qRound(9.0 * settings.Scale * 96.0 / 72.0));
    Command12->setFont(font);
    Command12->setAutoFillBackground(true);
    Command12->setVisible(settings.EditMode);
    connect(Command12, &QPushButton::clicked, this, &GraphPageWidget::toggleWindEntry);
}

const QImage &GraphPageWidget::graphImage() const
{
    return GPIC->image();
}

void GraphPageWidget::redraw()
{
    const AppSettings &settings = m_host.settings();
    GraphPageInput input;
    input.race = &m_host.race();
    input.data = &m_host.raceData();
    input.focused = m_host.focusedBoats();
    input.size = size();
    input.fontScale = settings.Scale;
    m_scene = graphPageScene(input);
    GPIC->setImage(renderGraphPage(m_scene, input.size, settings.UiFontName));
    m_drawn = true;
    // A race without a race file cannot keep a wind record.
    Command12->setVisible(settings.EditMode);
    Command12->setEnabled(!m_host.race().FileName.isEmpty());
    Command12->raise();
}

void GraphPageWidget::pointerAt(const QPointF &position)
{
    m_host.restPanels();
    if (!m_entry.isOn())
        m_host.resumeReplay();
    if (!m_drawn)
        return;
    m_aid = ::pointerAid(m_scene.scale, position.x(), position.y(), m_host.race(), m_host.raceData().Wind,
                         m_scene.windLoaded);
    GPIC->update();
}

void GraphPageWidget::pressAt(const QPointF &position)
{
    if (!m_entry.isOn() || !m_drawn)
        return;
    if (m_entry.press(position.x(), position.y(), m_scene.scale, m_host.race(), m_host.raceData())) {
        redraw();
        m_host.windChanged();
    }
}

void GraphPageWidget::toggleWindEntry()
{
    m_entry.toggle(m_host.settings(), m_host.race(), m_host.raceData());
    showWindButton();
    if (m_entry.isOn())
        m_host.stopReplay();
    else
        m_host.resumeReplay();
    m_host.windChanged();
    if (m_drawn)
        redraw();
    emit windEntryChanged(m_entry.isOn());
}

void GraphPageWidget::resetWindEntry()
{
    m_entry.reset();
    showWindButton();
}

void GraphPageWidget::showWindButton()
{
    if (m_entry.isOn()) {
        QPalette p = Command12->palette();
        p.setColor(QPalette::Button, QColor(255, 255, 0));
        Command12->setPalette(p);
    } else {
        Command12->setPalette(QPalette()); // the button face again
    }
}

void GraphPageWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    GPIC->setGeometry(rect());
    if (m_drawn && isVisible())
        redraw();
}
