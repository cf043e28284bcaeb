// Stands in for the race display in a build without it: names the race that would be shown.
#pragma once

#include <QWidget>

struct AppSettings;
struct RaceControl;

class RaceDisplayPlaceholder : public QWidget
{
    Q_OBJECT
public:
    RaceDisplayPlaceholder(const AppSettings &settings, const RaceControl &race, QWidget *parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
};
