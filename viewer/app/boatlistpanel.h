// The boat list (pnlBOATlist): under its header (Label1) one row per boat with its check box in
// the boat's colour (checked boats are focused: the chart follows them), its speed bar with the
// speed written on it and its true wind angle. The pointer over a row makes that boat the
// hovered one; the right button focuses it alone; the header focuses every boat.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QList>
#include <QWidget>

#include <playbackstate.h>

class BoatListPanel : public QWidget
{
    Q_OBJECT
public:
    explicit BoatListPanel(QWidget *parent = nullptr);

    // One row per boat (the rows of the race before are freed).
    void setBoats(const QStringList &names, const QList<QColor> &colours);
    int boatCount() const { return int(m_checks.size()); }
    QLabel *header() const { return m_header; }

    QVector<bool> focused() const;
    void focusAll();
    void focusOnly(int boatNumber);

    void setRows(const QVector<BoatPanelRow> &rows);

signals:
    void boatHovered(int boatNumber);
    void focusChanged();
    void headerPressed();
    void headerHovered();
    void pointerOver(); // over the panel, a check box or a speed bar

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *m_header;
    QList<QCheckBox *> m_checks;
    QList<QLabel *> m_bars;
    QList<QLabel *> m_twa;
};
