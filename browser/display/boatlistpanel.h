// The boat list of the race display (Picture8): its header (Label5) and one row per boat with
// the name box that focuses the boat (Bnam), the speed (Text5), the true wind angle (Text6),
// the mark box (Maru) and the speed bar drawn on the list picture. It applies the focus rules
// to the shown race's focus and mark flags and says when the focus changed; the frames fill
// in the speeds and bars (showRows).
#pragma once

#include "canvaspicture.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class RaceDisplayState;
struct ListRowScene;

class BoatListPanel : public CanvasPicture
{
    Q_OBJECT
public:
    BoatListPanel(RaceDisplayState &state, QWidget *parent = nullptr);

    // One row per boat of the shown race, every boat focused, no mark box ticked. Every row's
    // control gets the property "boatList" (the pointer over it raises the list) and "index".
    void build();
    void remove();
    bool isBuilt() const { return m_built; }
    int rowCount() const { return int(m_rows.size()); }
    QLabel *header() const { return m_header; }
    // Controls of row i, for the hover handler.
    QList<QWidget *> rowControls(int i) const;

    // Focuses every boat (the header's click).
    void focusAll();
    // The boxes and speed bars of rows whose content changed in a frame.
    void showRows(const QList<ListRowScene> &rows);

signals:
    // The focus changed through the list; all: by the header, which focuses every boat.
    void focusChanged(bool all);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row {
        QCheckBox *name = nullptr;  // Bnam
        QLineEdit *speed = nullptr; // Text5
        QLineEdit *twa = nullptr;   // Text6
        QCheckBox *mark = nullptr;  // Maru
    };
    // A name or mark box was clicked (row 0-based); only: the right button on a name.
    void settle(int clickedRow, bool only);

    RaceDisplayState &m_state;
    QLabel *m_header = nullptr; // Label5
    QList<Row> m_rows;
    bool m_built = false;
};
