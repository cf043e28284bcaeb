// The control panel at the bottom right (pnlCTRL): the race list with SHOW and AutoNext, the
// page and orientation, the display check boxes, the Google Earth and attachment buttons, the
// play buttons (pnlDIR), the sea colour, zoom and speed, the language flags and EXIT. Every
// control carries its object name; the window connects to them and lays them out.
#pragma once

#include "clickableimage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

class ControlPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ControlPanel(QWidget *parent = nullptr);

    QLabel *Label5, *Label2, *Label3;
    QComboBox *ComboBox1;
    QCheckBox *chkAutoNext;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox4;
    QRadioButton *RadioButton1, *RadioButton2, *RadioN, *RadioW;
    QCheckBox *CheckBox1, *chkLL, *ChkRefLine, *CheckBox2, *ChkBigBoat, *chkHint, *CheckBox3;
    QWidget *pnlDIR;
    QLabel *pnlDIRcaption;
    ClickableImage *up_t, *up_f, *stop_t, *stop_f, *dn_t, *dn_f, *plus, *minus;
    QScrollBar *ScrollBar1, *ScrollBar2, *ScrollBar3;
    QLabel *Memo2;
    ClickableImage *usa, *jpn;
    QList<QLabel *> SeaSwatches; // Image4 … Image8

    // Shows the pressed twin of one play button (up_t, stop_t or dn_t) and hides the other two.
    void showPressed(ClickableImage *pressed);

signals:
    void pointerOver();
    void controlHovered(QWidget *control);
    // Button3 with the mouse button that went down.
    void googleEarthPressed(Qt::MouseButton button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
