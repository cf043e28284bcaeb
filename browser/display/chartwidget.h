// The chart of the race display (Picture1): a persistent picture that keeps what the chart
// layers and the frames draw on it (coast, tracks, marks, wakes, names), with the replay's
// pieces over it:
//   - the boat symbols (Boat) and comparison lines (Bar), composited over the picture each
//     time it is shown, so that moving them never redraws the layers;
//   - the countdown box (Text4), the two signal flags (Blue_P, Seven) and the finish panel
//     (Position);
//   - the boat tag (Text8) and the course panel (Picture9).
#pragma once

#include "canvaspicture.h"

#include <appsettings.h>
#include <framescene.h>

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

    // The boats of a new race: no symbol, no comparison line, an empty finish panel.
    void setBoats(int count);
    // The chart background, which also fills the ring of a marked boat.
    void setSea(Colour sea);
    void setFontFamily(const QString &family) { m_fontFamily = family; }

    // Shows a frame: its wakes and names go onto the picture, its symbols and comparison lines
    // over it, the countdown, the flags and the finish panel as the frame says.
    void showFrame(const FrameScene &frame);
    // Both flags back at their rest place, 10 pixels from the top right corner.
    void flagsToRest();
    // The square a boat's symbol occupies now; empty when it has none.
    QRectF symbolRect(int boat) const;
    // What is over the picture now (symbols, comparison lines), for tests and the screen image.
    const FrameScene &overlay() const { return m_overlay; }
    // The picture with the symbols and comparison lines over it, as the screen shows it.
    QImage composedImage() const;

    QLineEdit *Text4 = nullptr;        // countdown
    QLabel *Text8 = nullptr;           // boat tag
    QFrame *Picture9 = nullptr;        // course panel
    QLabel *Label4 = nullptr;
    QPushButton *Command8 = nullptr;
    CanvasPicture *Position = nullptr; // finish panel
    QLabel *Blue_P = nullptr;          // preparatory signal
    QLabel *Seven = nullptr;           // class flag

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void placeFlag(QLabel *flag, bool shown, double top);
    void showFinishPanel(const FrameScene &frame);

    FrameScene m_overlay; // the symbols and lines as shown (a frame's Keep leaves them)
    Colour m_sea = rgb(0, 255, 255);
    QString m_fontFamily;
};
