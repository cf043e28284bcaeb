// The time bar panel (pnlTimeBar): the day-and-night background (BackTimeBar), the bar over the
// playback period (TimeBar) and the red pointer at the replay time (TimePointer). A click on the
// bar jumps to the time there; moving over it previews that time; a click near the bottom of the
// background goes back to the period start.
#pragma once

#include "clickableimage.h"

#include <timebar.h>

#include <QWidget>

class TimeBarWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TimeBarWidget(QWidget *parent = nullptr);
    void setPicture(const QImage &picture);

signals:
    void pressed(int y);
    void hovered(int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
};

class TimeBarPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TimeBarPanel(QWidget *parent = nullptr);

    // The pictures of a race for the panel's present height.
    void setPicture(const TimeBarPicture &picture);
    void setPointerTop(int top);
    TimeBarWidget *bar() const { return m_bar; }

signals:
    void barPressed(int y);
    void barHovered(int y);
    void backToStart();
    void pointerOver();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    ClickableImage *m_back;
    TimeBarWidget *m_bar;
    QWidget *m_pointer;
};
