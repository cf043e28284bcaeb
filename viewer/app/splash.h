// The splash of the viewer. At start-up a window of its own (TForm2: olive, the size of the
// screen, the picture in the middle) shows the progress of the first load; later loads show it
// on the panel that covers the main window (pnlSPLITE) until the first tick of the second timer.
// Both tell the race's title, the GPS file being read and a blue bar of the boats read so far.
#pragma once

#include <QLabel>
#include <QWidget>

// The progress bar: yellow in a black frame, blue from the left for the part done.
class ProgressImage : public QWidget
{
public:
    ProgressImage(const QString &objectName, QWidget *parent);
    void setProgress(int done, int total);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_done = 0, m_total = 0;
};

// Shows a boat's progress: called before boat i of n is read.
class LoadProgress
{
public:
    virtual ~LoadProgress() = default;
    virtual void showProgress(const QString &title, const QString &gpsFile, int boatNumber, int boatCount) = 0;
};

class SplashWindow : public QWidget, public LoadProgress
{
    Q_OBJECT
public:
    SplashWindow();
    void showProgress(const QString &title, const QString &gpsFile, int boatNumber, int boatCount) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_picture;    // Image1
    ProgressImage *m_bar; // Image2
    QLabel *m_file;       // memo1
    QLabel *m_title;      // memo2
};

class SplashPanel : public QWidget, public LoadProgress
{
    Q_OBJECT
public:
    explicit SplashPanel(QWidget *parent);
    // Empties the texts and the bar for a new load.
    void startLoad();
    void showProgress(const QString &title, const QString &gpsFile, int boatNumber, int boatCount) override;

private:
    QLabel *m_picture;    // Image2
    ProgressImage *m_bar; // Image3
    QLabel *m_file;       // memo4
    QLabel *m_title;      // memo5
};
