// A picture box that keeps what is drawn on it: the drawing goes into a member image outside
// paintEvent, and paintEvent only copies the exposed part. The chart relies on this: the
// frames leave wakes and names on it until the next chart redraw clears it.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class CanvasPicture : public QWidget
{
    Q_OBJECT
public:
    explicit CanvasPicture(const QString &objectName, QWidget *parent = nullptr);

    QColor background() const { return m_background; }
    // The colour the picture is cleared to (the next clear uses it).
    void setBackground(const QColor &colour);

    // The image to draw on, as large as the widget (in device pixels; its device pixel ratio
    // is set, so a painter on it works in widget coordinates). A widget not shown yet has its
    // image all the same, at the size it was given.
    QImage &canvas()
    {
        ensureCanvasSize();
        return m_canvas;
    }
    const QImage &canvas() const { return m_canvas; }

    // Fills the picture with its background.
    void clear();
    // Shows what was drawn: repaints the area at once (immediately) or when the event loop
    // gets to it. The load paints its progress immediately, as nothing else runs meanwhile.
    void flush(const QRect &area = {}, bool immediately = false);

signals:
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ensureCanvasSize();

    QImage m_canvas;
    QColor m_background = Qt::white;
};
