// The map area of the viewer's window: it copies one picture to the screen in one go (the
// frame, the manual view, the graph page or a hover highlight, all drawn off screen by the
// window) and tells the window where the pointer is and where it was clicked. The compass, the
// score panel, the flags, the hint box and the notices sit on it as children.
#pragma once

#include <QImage>
#include <QWidget>

class MapWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MapWidget(QWidget *parent = nullptr);

    // The picture to show; it stays owned by the caller and is read at every paint. Null shows
    // the sea colour.
    void showPicture(const QImage *picture);
    const QImage *shownPicture() const { return m_picture; }
    void setBlank(QColor colour) { m_blank = colour; }

signals:
    void pointerMoved(QPoint at);
    void pressed(QPoint at, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const QImage *m_picture = nullptr;
    QColor m_blank{160, 220, 255};
};
