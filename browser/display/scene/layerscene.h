// What one chart layer draws, as plain data: strokes, circles, polygons and texts in pixels
// of the picture they are meant for, in drawing order. Built by the scene functions
// (chartlayers.h, windindicator.h) without any painting; the layers library paints it.
#pragma once

#include <appsettings.h>

#include <QPointF>
#include <QString>
#include <QVector>

#include <variant>
#include <vector>

enum class StrokeStyle { Solid, Dotted };

// A polyline through points; two points make one line.
struct SceneStroke {
    QVector<QPointF> points;
    Colour colour = rgb(0, 0, 0);
    int width = 1; // pixels
    StrokeStyle style = StrokeStyle::Solid;
};

struct SceneCircle {
    QPointF centre;
    double radius = 0.0; // pixels
    Colour outline = rgb(0, 0, 0);
    Colour fill = rgb(0, 0, 0);
};

// A closed polygon, filled and outlined.
struct ScenePolygon {
    QVector<QPointF> points;
    Colour outline = rgb(0, 0, 0);
    Colour fill = rgb(0, 0, 0);
};

// Where a text's position sits on its box: the top left corner, or the middle of the top edge.
// Only the painter can measure text, so centring is left to it.
enum class TextAnchor { TopLeft, TopCentre };

struct SceneText {
    QPointF position;
    QString text;
    Colour colour = rgb(0, 0, 0);
    double pointSize = 9.0; // at 96 dots per inch, as the chart fonts were designed
    TextAnchor anchor = TextAnchor::TopLeft;
};

using SceneItem = std::variant<SceneStroke, SceneCircle, ScenePolygon, SceneText>;

struct LayerScene {
    // When set, the picture is filled with background before the items are drawn (the layer
    // starts a new picture); otherwise the items go on top of what the picture holds.
    bool clears = false;
    Colour background = rgb(0, 255, 255);
    std::vector<SceneItem> items;

    template<typename T> QVector<T> itemsOf() const
    {
        QVector<T> out;
        for (const SceneItem &item : items)
            if (const T *t = std::get_if<T>(&item))
                out.append(*t);
        return out;
    }
};
