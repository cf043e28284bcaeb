#include "controlpanel.h"

#include <playbackcontrols.h>
#include <viewercaptions.h>

#include <QMouseEvent>

namespace {

template<typename T> T *make(const char *name, QWidget *parent)
{
    auto *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QScrollBar *scrollBar(const char *name, QWidget *parent, int value)
{
    auto *bar = make<QScrollBar>(name, parent);
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(0, ScrollBarMaximum);
    bar->setPageStep(10);
    bar->setValue(value);
    return bar;
}

ClickableImage *picture(const char *name, QWidget *parent)
{
    auto *image = new ClickableImage(QString::fromLatin1(name), parent);
    image->setPicture(QImage(QStringLiteral(":/viewer/%1.png").arg(QLatin1String(name))));
    return image;
}

} // namespace

ControlPanel::ControlPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlCTRL"));
    setAutoFillBackground(true);
    setMouseTracking(true);

    Label5 = make<QLabel>("Label5", this);
    ComboBox1 = make<QComboBox>("ComboBox1", this);
    ComboBox1->setEditable(true);
    chkAutoNext = make<QCheckBox>("chkAutoNext", this);
    chkAutoNext->setChecked(true);
    Button4 = make<QPushButton>("Button4", this);
    Button1 = make<QPushButton>("Button1", this);

    GroupBox2 = make<QGroupBox>("GroupBox2", this);
    RadioButton1 = make<QRadioButton>("RadioButton1", GroupBox2);
    RadioButton2 = make<QRadioButton>("RadioButton2", GroupBox2);
    RadioButton1->setChecked(true);
    GroupBox1 = make<QGroupBox>("GroupBox1", this);
    RadioN = make<QRadioButton>("RadioN", GroupBox1);
    RadioW = make<QRadioButton>("RadioW", GroupBox1);
    RadioW->setChecked(true);

    CheckBox1 = make<QCheckBox>("CheckBox1", this);
    CheckBox1->setChecked(true);
    chkLL = make<QCheckBox>("chkLL", this);
    ChkRefLine = make<QCheckBox>("ChkRefLine", this);
    CheckBox2 = make<QCheckBox>("CheckBox2", this);
    CheckBox2->setChecked(true);
    ChkBigBoat = make<QCheckBox>("ChkBigBoat", this);
    ChkBigBoat->setChecked(true);
    chkHint = make<QCheckBox>("chkHint", this);
    chkHint->setChecked(true);
    chkHint->hide(); // hints are always on
    Button3 = make<QPushButton>("Button3", this);
    Button2 = make<QPushButton>("Button2", this);
    Button2->setEnabled(false);

    pnlDIR = make<QWidget>("pnlDIR", this);
    pnlDIR->setAutoFillBackground(true);
    pnlDIRcaption = make<QLabel>("pnlDIRcaption", pnlDIR);
    pnlDIRcaption->setAlignment(Qt::AlignCenter);
    up_f = picture("up_f", pnlDIR);
    up_t = picture("up_t", pnlDIR);
    stop_f = picture("stop_f", pnlDIR);
    stop_t = picture("stop_t", pnlDIR);
    dn_f = picture("dn_f", pnlDIR);
    dn_t = picture("dn_t", pnlDIR);
    plus = picture("plus", pnlDIR);
    minus = picture("minus", pnlDIR);

    GroupBox4 = make<QGroupBox>("GroupBox4", this);
    ScrollBar3 = scrollBar("ScrollBar3", GroupBox4, SeaPositionAtStart);
    CheckBox3 = make<QCheckBox>("CheckBox3", GroupBox4);
    CheckBox3->setChecked(true);
    for (int i = 0; i < 5; ++i) {
        auto *swatch = new QLabel(GroupBox4);
        swatch->setObjectName(QStringLiteral("Image%1").arg(4 + i));
        swatch->hide();
        SeaSwatches << swatch;
    }

    Label3 = make<QLabel>("Label3", this);
    ScrollBar2 = scrollBar("ScrollBar2", this, ScrollBarMaximum);
    Label2 = make<QLabel>("Label2", this);
    ScrollBar1 = scrollBar("ScrollBar1", this, SpeedPositionAfterLoad);
    Memo2 = make<QLabel>("Memo2", this);
    Memo2->setAlignment(Qt::AlignCenter);
    Memo2->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; border: 1px solid #808080; }"));
    for (QLabel *clickable : {Label2, Label3})
        clickable->setCursor(Qt::PointingHandCursor);
    usa = picture("usa", this);
    jpn = picture("jpn", this);
    usa->hide();
    jpn->hide();

    for (const ControlCaption &c : designCaptions()) {
        QWidget *w = findChild<QWidget *>(QString::fromLatin1(c.Name));
        if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(QString::fromUtf8(c.English));
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setText(QString::fromUtf8(c.English));
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            group->setTitle(QString::fromUtf8(c.English));
    }
    showPressed(up_t);

    // The narrow places of the panel take a smaller letter.
    QFont narrow = font();
    narrow.setPixelSize(10);
    for (QWidget *w : {static_cast<QWidget *>(RadioN), static_cast<QWidget *>(RadioW), static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Memo2)})
        w->setFont(narrow);

    for (QWidget *w : {static_cast<QWidget *>(chkAutoNext), static_cast<QWidget *>(Button4),
                       static_cast<QWidget *>(ChkBigBoat), static_cast<QWidget *>(Button2), static_cast<QWidget *>(Button3)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void ControlPanel::showPressed(ClickableImage *pressed)
{
    for (ClickableImage *twin : {up_t, stop_t, dn_t})
        twin->setVisible(twin == pressed);
    for (ClickableImage *button : {up_f, stop_f, dn_f})
        button->show();
    for (ClickableImage *twin : {up_t, stop_t, dn_t})
        twin->raise();
}

bool ControlPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
        emit controlHovered(static_cast<QWidget *>(watched));
    // Button3 reacts to the button going down, left or not, as the export always did.
    if (watched == Button3 && event->type() == QEvent::MouseButtonPress) {
        emit googleEarthPressed(static_cast<QMouseEvent *>(event)->button());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ControlPanel::mouseMoveEvent(QMouseEvent *event)
{
    // The controls with hints have had their move; the rest of the panel is its own ground.
    for (QWidget *w = childAt(event->position().toPoint()); w && w != this; w = w->parentWidget()) {
        if (w == chkAutoNext || w == Button4 || w == ChkBigBoat || w == Button2 || w == Button3)
            return;
    }
    emit pointerOver();
}
