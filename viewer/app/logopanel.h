// The panel at the top right (pnlLOGO): the overview of the race area (Image1) with a dot per
// boat, the date and time of the replay under it (Memo1) and the logo (imgLOGO).
#pragma once

#include "clickableimage.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPointF>
#include <QVector>
#include <QWidget>

// Image1: the overview picture and the boats' dots on it.
class OverviewWidget : public QWidget
{
    Q_OBJECT
public:
    explicit OverviewWidget(QWidget *parent = nullptr);
    void setPicture(const QImage &picture);
    // One colour per boat; the dots start off the picture.
    void setBoats(const QVector<QColor> &colours);
    // Where the dots go, overview pixels (the dot centred there); a negative one leaves its dot
    // in place.
    void moveDots(const QVector<QPointF> &topLeft);
    const QVector<QPointF> &dots() const { return m_dots; }

signals:
    void pressed(QPoint at, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    QVector<QColor> m_colours;
    QVector<QPointF> m_dots;
};

class LogoPanel : public QWidget
{
    Q_OBJECT
public:
    explicit LogoPanel(QWidget *parent = nullptr);
    OverviewWidget *overview() const { return m_overview; }
    QLabel *timeText() const { return m_time; }
    ClickableImage *logo() const { return m_logo; }

signals:
    void pointerOver(); // over the panel or its overview (the logo has its own hint)

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    OverviewWidget *m_overview;
    QLabel *m_time;
    ClickableImage *m_logo;
};
