// The splash window: its layout on the screen and the load progress painted on it.
#include <appsettings.h>
#include <splashlayout.h>
#include <splashwindow.h>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

class TestSplashWindow : public QObject
{
    Q_OBJECT

private slots:
    void layoutOnScreen_data();
    void layoutOnScreen();
    void barLength_data();
    void barLength();
    void windowFollowsLayout_data();
    void windowFollowsLayout();
    void progressIsPaintedAtOnce();
};

void TestSplashWindow::layoutOnScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QRect>("image1");
    QTest::newRow("1024x768 Japanese") << QSize(1024, 768) << false << QRect(272, 204, 480, 360);
    QTest::newRow("1280x1024 English") << QSize(1280, 1024) << true << QRect(400, 332, 480, 360);
    QTest::newRow("odd remainder") << QSize(1025, 769) << false << QRect(272, 204, 480, 360);
    QTest::newRow("screen smaller than picture") << QSize(400, 300) << false << QRect(-40, -30, 480, 360);
}

void TestSplashWindow::layoutOnScreen()
{
    QFETCH(QSize, screen);
    QFETCH(bool, english);
    QFETCH(QRect, image1);
    const SplashLayout l = splashLayoutFor(screen, QSize(480, 360), QSize(464, 40), english, 1.0f);
    QCOMPARE(l.window, QRect(QPoint(0, 0), screen));
    QCOMPARE(l.image1, image1);
    QCOMPARE(l.image2Visible, !english);
    QCOMPARE(l.image2.topLeft(), image1.topLeft() + QPoint(8, 296));
    // The progress text is 333 wide, centred horizontally; the bar lies 50 below its top.
    QCOMPARE(l.progressText.width(), 333);
    QCOMPARE(l.progressText.left(), (screen.width() - 333) / 2);
    QCOMPARE(l.progressBar.top(), l.progressText.top() + 50);
    QCOMPARE(l.progressBar.height(), 15);
    // Always on the screen, even when the picture fills it.
    QVERIFY(l.progressText.top() >= 0);
    QVERIFY(l.progressBar.bottom() < screen.height());
}

void TestSplashWindow::barLength_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("width");
    QTest::newRow("empty") << 1.0f << 0 << 0;
    QTest::newRow("one of three boats") << 1.0f << 111 << 111;
    QTest::newRow("full") << 1.0f << 333 << 333;
    QTest::newRow("past the end is full") << 1.0f << 500 << 333;
    QTest::newRow("negative is empty") << 1.0f << -3 << 0;
    QTest::newRow("scaled") << 1.5f << 100 << 150;
}

void TestSplashWindow::barLength()
{
    QFETCH(float, scale);
    QFETCH(int, units);
    QFETCH(int, width);
    const SplashLayout l = splashLayoutFor(QSize(1280, 1024), QSize(480, 360), QSize(464, 40), false, scale);
    const QRect bar = l.barFor(units);
    QCOMPARE(bar.width(), width);
    QCOMPARE(bar.topLeft(), l.progressBar.topLeft());
}

void TestSplashWindow::windowFollowsLayout_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("Japanese") << false;
    QTest::newRow("English") << true;
}

void TestSplashWindow::windowFollowsLayout()
{
    QFETCH(bool, english);
    AppSettings settings;
    settings.setLanguage(english ? UiLanguage::English : UiLanguage::Japanese);
    SplashWindow splash(settings);
    splash.show();
    QCOMPARE(splash.objectName(), QStringLiteral("splite"));
    QCOMPARE(splash.geometry(), QGuiApplication::primaryScreen()->geometry());
    auto *image1 = splash.findChild<QLabel *>(QStringLiteral("Image1"));
    auto *image2 = splash.findChild<QLabel *>(QStringLiteral("Image2"));
    QVERIFY(image1 && image2);
    QCOMPARE(image1->geometry(), splash.layout().image1);
    QCOMPARE(image2->isVisible(), !english);
    if (!english)
        QCOMPARE(image2->pos(), image1->pos() + QPoint(8, 296));
    QVERIFY(!splash.isProgressShown());
}

void TestSplashWindow::progressIsPaintedAtOnce()
{
    AppSettings settings;
    SplashWindow splash(settings);
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    splash.showProgress(QStringLiteral("race1.txt    ( 1 / 3)"),
                        QStringLiteral("GPSﾃﾞｰﾀ　（　a.trk）　を読み込み中"), 111);
    QVERIFY(splash.isProgressShown());
    QCOMPARE(splash.progressLine1(), QStringLiteral("race1.txt    ( 1 / 3)"));
    QCOMPARE(splash.progressBarUnits(), 111);
    // Without returning to the event loop the bar is on the window.
    const QImage shot = splash.grab().toImage();
    const QRect bar = splash.layout().barFor(111);
    QCOMPARE(QColor(shot.pixel(bar.center())), QColor(0, 0, 255));
    const QPoint beyond(splash.layout().progressBar.right() - 2, bar.center().y());
    QVERIFY(QColor(shot.pixel(beyond)) != QColor(0, 0, 255));

    splash.showProgress(QStringLiteral("x"), QStringLiteral("y"), 1000);
    QCOMPARE(splash.progressBarUnits(), 333);
    splash.hideProgress();
    QVERIFY(!splash.isProgressShown());
}

QTEST_MAIN(TestSplashWindow)
#include "testsplashwindow.moc"
