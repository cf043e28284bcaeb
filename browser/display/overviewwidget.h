// The overview map of the race display (Picture6): the whole race area with every boat's
// track (drawn by the chart layers) and one 7 × 7 marker per boat (BoatS) in the boat's colour
// with a white outline, placed by the frames or, while the pointer is over the time bar, by
// its preview.
#pragma once

#include "canvaspicture.h"

#include <appsettings.h>

#include <QList>
#include <QPointF>
#include <QVector>

class QFrame;

class OverviewWidget : public CanvasPicture
{
    Q_OBJECT
public:
    explicit OverviewWidget(QWidget *parent = nullptr);

    // One hidden marker per boat colour; none after removeMarkers.
    void buildMarkers(const QVector<Colour> &colours);
    void removeMarkers();
    int markerCount() const { return int(m_markers.size()); }
    // Marker i with its top left at the overview pixel, shown; or hidden.
    void showMarker(int i, const QPointF &topLeft);
    void hideMarker(int i);
    bool isMarkerShown(int i) const;

private:
    QList<QFrame *> m_markers;
};
