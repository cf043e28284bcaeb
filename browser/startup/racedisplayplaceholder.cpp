#include "racedisplayplaceholder.h"

#include <appsettings.h>
#include <racecontrol.h>

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

RaceDisplayPlaceholder::RaceDisplayPlaceholder(const AppSettings &settings, const RaceControl &race, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRaceDisplay"));
    setWindowTitle(settings.ProgramTitle);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(race.FileName.isEmpty() ? settings.SingleTrackFile : race.FileName, this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    resize(640, 480);
}

void RaceDisplayPlaceholder::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
