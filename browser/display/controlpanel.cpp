#include "controlpanel.h"

#include "widgethelpers.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace display;

ControlPanel::ControlPanel(QWidget *parent) : QWidget(parent)
{
    const int w = 174;
    int y = 0;
    Text1 = makeBox("Text1", this);
    Text1->setGeometry(0, y, w, 20);
    y += 22;
    Text11 = makeBox("Text11", this);
    Text11->setGeometry(0, y, w, 20);
    y += 24;

    Frame3 = make<QGroupBox>("Frame3", this);
    Frame3->setGeometry(0, y, w, 88);
    Option6 = make<QRadioButton>("Option6", Frame3);
    Option7 = make<QRadioButton>("Option7", Frame3);
    Option8 = make<QRadioButton>("Option8", Frame3);
    placeRow(18, 20, 4, {{Option6, 52}, {Option7, 58}, {Option8, 58}}, 0);
    Command6 = make<QPushButton>("Command6", Frame3);
    Command7 = make<QPushButton>("Command7", Frame3);
    placeRow(40, 20, 4, {{Command7, 30}, {Command6, 30}});
    Text2 = makeBox("Text2", Frame3);
    Text2->setGeometry(70, 40, w - 74, 20);
    HScroll1 = make<QScrollBar>("HScroll1", Frame3);
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setRange(1, 19);
    HScroll1->setValue(5);
    HScroll1->setGeometry(4, 66, w - 8, 16);
    Option6->setChecked(true);
    y += 92;

    Picture12 = make<QFrame>("Picture12", this);
    Picture12->setGeometry(0, y, w, 40);
    Label7 = make<QLabel>("Label7", Picture12);
    Label7->setGeometry(4, 2, w - 8, 16);
    HScroll2 = make<QScrollBar>("HScroll2", Picture12);
    HScroll2->setOrientation(Qt::Horizontal);
    HScroll2->setRange(10, 100);
    HScroll2->setValue(100);
    HScroll2->setGeometry(4, 20, w - 8, 16);
    Picture12->hide();
    y += 44;

    Frame1 = make<QGroupBox>("Frame1", this);
    Frame1->setGeometry(0, y, w, 44);
    Option2 = make<QRadioButton>("Option2", Frame1);
    Option3 = make<QRadioButton>("Option3", Frame1);
    placeRow(18, 20, 4, {{Option2, 80}, {Option3, 86}}, 0);
    y += 48;

    Frame4 = make<QGroupBox>("Frame4", this);
    Frame4->setGeometry(0, y, w, 44);
    Option9 = make<QRadioButton>("Option9", Frame4);
    Option10 = make<QRadioButton>("Option10", Frame4);
    Option11 = make<QRadioButton>("Option11", Frame4);
    placeRow(18, 20, 4, {{Option9, 54}, {Option10, 58}, {Option11, 56}}, 0);
    Option9->setChecked(true);
    y += 46;

    // The graph page's choice of graph; it only matters there.
    graphChoice = new QFrame(this);
    graphChoice->setGeometry(0, y, w, 22);
    Option1 = make<QRadioButton>("Option1", graphChoice);
    Option4 = make<QRadioButton>("Option4", graphChoice);
    Option5 = make<QRadioButton>("Option5", graphChoice);
    Option12 = make<QRadioButton>("Option12", graphChoice);
    placeRow(0, 20, 0, {{Option1, 40}, {Option4, 40}, {Option5, 40}, {Option12, 40}}, 0);
    Option1->setChecked(true);
    graphChoice->hide();
    y += 24;

    Text3 = makeBox("Text3", this);
    Text3->setGeometry(0, y, 60, 20);
    y += 26;

    Command2 = make<QPushButton>("Command2", this);
    Command3 = make<QPushButton>("Command3", this);
    Command5 = make<QPushButton>("Command5", this);
    for (QPushButton *b : {Command2, Command3, Command5}) {
        b->setGeometry(0, y, w, 22);
        y += 24;
    }
    y += 4;

    Label6 = make<QLabel>("Label6", this);
    Label6->setGeometry(0, y, w, 16);
    y += 16;
    Combo1 = make<QComboBox>("Combo1", this);
    Combo1->setGeometry(0, y, w, 22);
    y += 24;
    Command9 = make<QPushButton>("Command9", this);
    Command9->setGeometry(0, y, w, 22);
    y += 28;

    Label2 = make<QLabel>("Label2", this);
    Label2->setGeometry(0, y, w, 16);
    y += 16;
    Text9 = makeBox("Text9", this, false);
    Text9->setGeometry(0, y, w, 20);
    y += 22;
    Label3 = make<QLabel>("Label3", this);
    Label3->setGeometry(0, y, w, 16);
    y += 16;
    Text10 = makeBox("Text10", this, false);
    Text10->setGeometry(0, y, w, 20);
    y += 22;
    Command4 = make<QPushButton>("Command4", this);
    Command4->setGeometry(0, y, w, 22);
    y += 28;

    Command10 = make<QPushButton>("Command10", this);
    Command13 = make<QPushButton>("Command13", this);
    Command12 = make<QPushButton>("Command12", this);
    for (QPushButton *b : {Command10, Command13}) {
        b->setGeometry(0, y, w, 22);
        y += 24;
    }
    Command12->setGeometry(0, y, w, 22);
    Command12->hide(); // placed on the graph page only
    y += 28;
    Command1 = make<QPushButton>("Command1", this);
    Command1->setGeometry(0, y, w, 24);
    Command11 = make<QPushButton>("Command11", this);
    Command11->setGeometry(0, y, w, 24);
    Command11->hide();
}

void ControlPanel::setViewingMode(bool viewing, const QStringList &races, const QString &current)
{
    HScroll2->setValue(100);
    Picture12->hide();
    Option9->setChecked(true);
    graphChoice->hide();
    for (QPushButton *b : {Command2, Command3, Command5, Command4})
        b->setVisible(!viewing);
    Text9->setReadOnly(viewing);
    Text10->setReadOnly(viewing);
    Label6->setVisible(viewing);
    Combo1->setVisible(viewing);
    Command9->setVisible(viewing);
    if (viewing) {
        Combo1->clear();
        Combo1->addItems(races);
        Combo1->setEditable(true);
        Combo1->setEditText(current);
    }
}

void ControlPanel::setTracing(bool on, bool courseSettable)
{
    Command2->setEnabled(!on);
    Command3->setEnabled(!on);
    Command5->setEnabled(!on && courseSettable);
    Picture12->setVisible(on);
}

void ControlPanel::setSeaColour(const QColor &sea, const QColor &foreground)
{
    setBackgroundColour(Picture12, sea);
    setTextColour(Label7, foreground);
}

void ControlPanel::showOrientation(double windDirection, bool northUp)
{
    Text3->setText(QString::number(windDirection));
    (northUp ? Option2 : Option3)->setChecked(true);
}
