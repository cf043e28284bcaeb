// The compass on the map (Panel1): the compass picture turned to the chart's orientation
// (compasst), the red wind mark at the wind's direction (windmk) and the wind direction in its
// middle (Memo3). The pointer over it asks for the wind triangles on the boats, and for names
// only when it is near the rim.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

class CompassPanel : public QWidget
{
    Q_OBJECT
public:
    explicit CompassPanel(QWidget *parent = nullptr);

    // Turns the compass picture by an angle in degrees on the sea colour.
    void turn(double degrees, QColor sea);
    // The wind: the text in the middle and the mark's top left corner.
    void setWind(const QString &text, QPointF markTopLeft);

signals:
    // The pointer over the compass, at this fraction of the compass width from its centre.
    void hovered(double distanceFromCentre);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QImage m_picture;
    QLabel *m_compass;
    QWidget *m_windMark;
    QLabel *m_text;
};
