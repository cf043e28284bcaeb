// Where the pointer goes on the race display: the hint box (Text7) explains the control under
// it, the boat list rises over the lower panel while the pointer is on it (when it is too long
// to show at rest) and any other place puts both panels back. Installed as an event filter on
// the window's controls; also the box the time bar's read-out uses.
#pragma once

#include <QObject>

class QLabel;
class QRect;
class QSize;
class QWidget;
class RaceDisplayState;
struct HintText;

class HoverHandler : public QObject
{
    Q_OBJECT
public:
    // panel: the right-hand panel (the hints line up with it); list, lower: the boat list and
    // the lower panel it rises over; tag: the boat tag on the chart, hidden with the panels.
    HoverHandler(RaceDisplayState &state, QWidget *window, QWidget *panel, QWidget *list, QWidget *lower,
                 QWidget *tag);

    QLabel *hintBox() const { return m_hint; }
    // Watches the widget and every widget below it.
    void watchTree(QWidget *root);
    void watch(QWidget *w);

    // The size of the box for a text whose design size (before scaling) is given: the design
    // size scaled, grown where the fonts at hand need more room.
    QSize fitBox(const QString &text, const QSize &designSize) const;
    // The hint box with a text of its own, in window coordinates (the time bar read-out).
    void showBox(const QString &text, const QRect &geometry);
    void hideBox();
    // Both side panels back at rest.
    void restPanels();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hoverOver(QWidget *w);
    void showHint(QWidget *control, const HintText &hint);
    void raiseBoatList();

    RaceDisplayState &m_state;
    QWidget *m_window;
    QWidget *m_panel;
    QWidget *m_list;
    QWidget *m_lower;
    QWidget *m_tag;
    QLabel *m_hint = nullptr; // Text7
    bool m_listRaised = false;
};
