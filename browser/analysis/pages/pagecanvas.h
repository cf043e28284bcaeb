// The picture of an analysis page: shows an image drawn elsewhere and, over it, an overlay
// painted at every repaint (the Graph page's pointer aid). Presses and moves of the mouse go
// to whoever listens. The page widgets draw their image when something changes and hand it
// over; paintEvent only copies the exposed part.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class PageCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit PageCanvas(const QString &objectName, QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    // Painted over the image, in the image's coordinates.
    void setOverlay(std::function<void(QPainter &)> overlay);

signals:
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    std::function<void(QPainter &)> m_overlay;
};
