// Small helpers the race display's parts share to make and colour their controls.
#pragma once

#include <appsettings.h>

#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include <initializer_list>
#include <utility>

namespace display {

// A control of type T with its design name.
template<typename T> T *make(const char *name, QWidget *parent)
{
    T *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A text box; the display's boxes show values and are read-only unless said otherwise.
inline QLineEdit *makeBox(const char *name, QWidget *parent, bool readOnly = true)
{
    QLineEdit *box = make<QLineEdit>(name, parent);
    box->setReadOnly(readOnly);
    return box;
}

inline QColor toQColor(Colour c)
{
    return QColor::fromRgb(QRgb(c));
}

inline void setBackgroundColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Button, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

inline void setTextColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    w->setPalette(pal);
}

// Places a row of widgets of one height at y, from left, each with its own width.
inline void placeRow(int y, int height, int left, std::initializer_list<std::pair<QWidget *, int>> items, int gap = 2)
{
    int x = left;
    for (const auto &[w, width] : items) {
        w->setGeometry(x, y, width, height);
        x += width + gap;
    }
}

} // namespace display
