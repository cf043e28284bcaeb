// The lower panel of the race display (Picture7): the ten display options, the six sea colour
// buttons, the help button and the link to the maker's web site. It keeps the shown race's
// DisplayOptions in step with its boxes and says which option the user changed; the window
// carries out what each change means for the chart.
#pragma once

#include <QFrame>
#include <QList>

class QCheckBox;
class QLabel;
class QPushButton;
class RaceDisplayState;

class OptionsPanel : public QFrame
{
    Q_OBJECT
public:
    OptionsPanel(RaceDisplayState &state, QWidget *parent = nullptr);

    // The box of option n (1 … 10), as Check1 … Check10.
    QCheckBox *check(int n) const { return m_checks.at(n - 1); }
    // Sea colour button n (1 … 6).
    QPushButton *seaButton(int n) const { return m_seaButtons.at(n - 1); }
    // Colours the sea buttons with their colours (each race load).
    void colourSeaButtons();
    // While tracing the options that belong to a fixed view are off and the names are on.
    void setTracing(bool on);

signals:
    void timeMarksClicked(bool on);
    void tracksClicked(bool on);
    void mapClicked();
    void layLinesClicked(bool on);
    void tracingToggled(bool on);
    // A sea colour button; exportSailData for the right button on the darkest sea.
    void seaColourChosen(int button, bool exportSailData);
    void helpRequested();
    void webLinkClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RaceDisplayState &m_state;
    QList<QCheckBox *> m_checks;
    QList<QPushButton *> m_seaButtons;
    QPushButton *m_help = nullptr; // btnHATENA
    QLabel *m_link = nullptr;      // Label1
};
