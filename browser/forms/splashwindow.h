// The splash window "splite": shown while a race loads. It covers the screen without a frame;
// the splash picture (Image1) sits in its centre and, in Japanese, a caption picture (Image2)
// lies over the picture's lower part. The race load paints its progress on it: two lines of
// text and a blue bar that grows to 333 units (units are pixels at the design resolution,
// multiplied by AppSettings.Scale).
#pragma once

#include "splashlayout.h"

#include <QString>
#include <QWidget>

struct AppSettings;
class QLabel;
class SplashProgressArea;

class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    // The layout is fixed when the window is created, from the screen it will show on.
    explicit SplashWindow(const AppSettings &settings, QWidget *parent = nullptr);
    ~SplashWindow() override;

    // Shows the progress text (two lines) and the bar, barUnits long (clamped to 0 … 333),
    // and paints it at once: the load runs on the interface thread and would otherwise show
    // nothing until it ends.
    void showProgress(const QString &line1, const QString &line2, int barUnits);
    // Removes the progress text and bar.
    void hideProgress();

    bool isProgressShown() const;
    QString progressLine1() const;
    QString progressLine2() const;
    int progressBarUnits() const;

    // Where the pieces lie, in the window's pixels.
    const SplashLayout &layout() const { return m_layout; }

private:
    SplashLayout m_layout;
    QLabel *m_image1 = nullptr;
    QLabel *m_image2 = nullptr;
    SplashProgressArea *m_progress = nullptr;
};
