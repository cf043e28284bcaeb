// What an analysis page draws, as plain data: lines, boxes, dots, polygons and texts in pixels
// of the picture they are meant for, in drawing order. The Data page, the Graph page and the
// wind direction strip build their pictures as scenes (datapage.h, graphpage.h); the page
// painters paint them onto a QPainter, for the screen, the screen image and the tests alike.
//
// Geometry is in the picture's pixels, origin top left, y down. Boxes are given by two corner
// pixels, both included, as the pages were designed: a box from x = 10 to x = 10 covers one
// column of pixels, and a bar of length L drawn from a zero line at x0 ends on pixel x0 + L.
#pragma once

#include <appsettings.h>

#include <QPointF>
#include <QString>
#include <QVector>

#include <variant>
#include <vector>

// A polyline through points (two points make one line).
struct PageLine {
    QVector<QPointF> points;
    Colour colour = rgb(0, 0, 0);
    int width = 1; // pixels
};

// A box from corner (x1, y1) to corner (x2, y2), both corner pixels included; filled with fill
// and outlined in outline, or outlined only.
struct PageBox {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    Colour outline = rgb(0, 0, 0);
    Colour fill = rgb(0, 0, 0);
    bool filled = true;

    double left() const { return x1 < x2 ? x1 : x2; }
    double right() const { return x1 < x2 ? x2 : x1; }
    double top() const { return y1 < y2 ? y1 : y2; }
    double bottom() const { return y1 < y2 ? y2 : y1; }
};

// A filled circle.
struct PageDot {
    QPointF centre;
    double radius = 0.0; // pixels
    Colour colour = rgb(0, 0, 0);
};

// A closed polygon, filled and outlined.
struct PagePolygon {
    QVector<QPointF> points;
    Colour outline = rgb(0, 0, 0);
    Colour fill = rgb(0, 0, 0);
};

// Where a text's position sits on its box: the top left corner, the middle of the top edge, or
// the top right corner (right-aligned numbers). Only the painter can measure text, so the
// alignment is left to it.
enum class PageAnchor { TopLeft, TopCentre, TopRight };

struct PageText {
    QPointF position;
    QString text;
    Colour colour = rgb(0, 0, 0);
    double pointSize = 9.0; // at 96 dots per inch, already multiplied by AppSettings::Scale
    PageAnchor anchor = PageAnchor::TopLeft;
};

using PageItem = std::variant<PageLine, PageBox, PageDot, PagePolygon, PageText>;

struct PageScene {
    // When set, the picture is filled with background before the items are drawn.
    bool clears = true;
    Colour background = rgb(255, 255, 255);
    std::vector<PageItem> items;

    template<typename T> void add(T item) { items.emplace_back(std::move(item)); }

    template<typename T> QVector<T> itemsOf() const
    {
        QVector<T> out;
        for (const PageItem &item : items)
            if (const T *t = std::get_if<T>(&item))
                out.append(*t);
        return out;
    }
    // The first text item whose text is `text`; nullptr when there is none.
    const PageText *findText(const QString &text) const
    {
        for (const PageItem &item : items)
            if (const PageText *t = std::get_if<PageText>(&item); t && t->text == text)
                return t;
        return nullptr;
    }
};
