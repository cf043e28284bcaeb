// The chart of the race display (Picture1): a persistent picture that keeps what the chart
// layers and the frames draw on it, with the replay's pieces laid over it: the countdown box
// (Text4), the boat tag (Text8), the course panel (Picture9), the finish panel (Position) and
// the two signal flags (Blue_P, Seven).
#pragma once

#include "canvaspicture.h"

#include <appsettings.h>

#include <QList>
#include <QVector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class ChartWidget : public CanvasPicture
{
    Q_OBJECT
public:
    explicit ChartWidget(QWidget *parent = nullptr);

    // The boats of a new race (their symbols and comparison lines), or none.
    void setBoats(const QVector<Colour> &colours);
    void setSymbolBackground(const QColor &sea);

    QLineEdit *Text4 = nullptr;   // countdown
    QLabel *Text8 = nullptr;      // boat tag
    QFrame *Picture9 = nullptr;   // course panel
    QLabel *Label4 = nullptr;
    QPushButton *Command8 = nullptr;
    CanvasPicture *Position = nullptr; // finish panel
    QLabel *Blue_P = nullptr;     // preparatory flag
    QLabel *Seven = nullptr;      // class flag

private:
    QList<CanvasPicture *> m_symbols; // Boat
    QList<QFrame *> m_bars;           // Bar
};
