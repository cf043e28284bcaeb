// What the viewer draws, as plain data: strokes, discs, polygons and texts in pixels of the
// picture they are meant for, in drawing order. The frame, the manual view and the graph page
// (trackingframe.h, manualview.h, graphpage.h) build one without any painting; the paint
// library (viewer/paint) draws it onto a picture.
#pragma once

#include <viewerrace.h>

#include <QPointF>
#include <QString>
#include <QVector>

#include <variant>
#include <vector>

enum class ViewerPenStyle { Solid, Dotted };

// A polyline through points; two points make one line. Closed: the last point joins the first.
struct ViewerStroke {
    QVector<QPointF> Points;
    ViewerRgb Colour;
    int Width = 1; // pixels
    ViewerPenStyle Style = ViewerPenStyle::Solid;
    bool Closed = false;
};

// A filled circle with an outline (Width 0: no outline).
struct ViewerDisc {
    QPointF Centre;
    double Radius = 0.0; // pixels
    ViewerRgb Fill;
    ViewerRgb Outline;
    int OutlineWidth = 1;
};

// A closed polygon, filled and outlined.
struct ViewerPolygon {
    QVector<QPointF> Points;
    ViewerRgb Fill;
    ViewerRgb Outline;
};

// A text written with its top left corner at Position, in a font of FontSize points (at 96
// dots per inch, so 9 points are 12 pixels high); Opaque texts fill their box with Background
// first. A RightLimit above 0 moves a text that would reach beyond it to the left (texts placed
// for the letter widths of another font stay whole).
struct ViewerText {
    QPointF Position;
    QString Text;
    ViewerRgb Colour;
    int FontSize = 9;
    bool Opaque = false;
    ViewerRgb Background;
    double RightLimit = 0.0;
};

using ViewerSceneItem = std::variant<ViewerStroke, ViewerDisc, ViewerPolygon, ViewerText>;

struct ViewerScene {
    // When set, the picture is filled with Background before the items are drawn.
    bool Clears = true;
    ViewerRgb Background;
    std::vector<ViewerSceneItem> Items;

    template<typename T> void add(T item) { Items.emplace_back(std::move(item)); }

    template<typename T> QVector<T> itemsOf() const
    {
        QVector<T> out;
        for (const ViewerSceneItem &item : Items)
            if (const T *t = std::get_if<T>(&item))
                out.append(*t);
        return out;
    }
};

// Colours the drawing uses by name.
namespace viewercolours {
constexpr ViewerRgb Black{0, 0, 0};
constexpr ViewerRgb White{255, 255, 255};
constexpr ViewerRgb Red{255, 0, 0};
constexpr ViewerRgb Blue{0, 0, 255};
constexpr ViewerRgb Yellow{255, 255, 0};
constexpr ViewerRgb LightGrey{192, 192, 192};
constexpr ViewerRgb Grey{128, 128, 128};
constexpr ViewerRgb LightCyan{192, 255, 255};
} // namespace viewercolours
