// Painting the viewer's plain data: a scene onto a picture (background, strokes, discs,
// polygons, opaque texts), the compass turned pixel by pixel without holes, and the time bar
// with its bands, its start mark and its day-and-night background.
#include <viewerpainter.h>

#include <QPainter>
#include <QtTest>

class TestViewerPaint : public QObject
{
    Q_OBJECT

private slots:
    void scene();
    void compassTurns();
    void timeBarPictures();
};

void TestViewerPaint::scene()
{
    ViewerScene scene;
    scene.Background = ViewerRgb{10, 20, 30};
    scene.add(ViewerStroke{{QPointF(10, 10), QPointF(50, 10)}, viewercolours::White});
    scene.add(ViewerDisc{QPointF(80, 80), 6, viewercolours::Yellow, viewercolours::Black, 1});
    scene.add(ViewerPolygon{{QPointF(20, 60), QPointF(40, 60), QPointF(40, 90), QPointF(20, 90)}, viewercolours::Red,
                            viewercolours::Red});
    ViewerText text;
    text.Position = QPointF(60, 20);
    text.Text = QStringLiteral("MK1");
    text.Colour = viewercolours::Red;
    text.Opaque = true;
    text.Background = viewercolours::Blue;
    scene.add(text);
    QImage picture(120, 100, QImage::Format_RGB32);
    paintViewerScene(picture, scene);
    QCOMPARE(picture.pixelColor(5, 5), QColor(10, 20, 30));
    QCOMPARE(picture.pixelColor(30, 10), QColor(Qt::white));
    QCOMPARE(picture.pixelColor(80, 80), QColor(Qt::yellow));
    QCOMPARE(picture.pixelColor(30, 75), QColor(Qt::red));
    QCOMPARE(picture.pixelColor(61, 21), QColor(Qt::blue)); // the text's box
    // A text that would reach beyond its right limit moves left to end there.
    ViewerScene edge;
    ViewerText wide = text;
    wide.Position = QPointF(100, 50);
    wide.Text = QStringLiteral("1:04:12");
    wide.RightLimit = 118;
    edge.add(wide);
    QImage clipped(120, 100, QImage::Format_RGB32);
    paintViewerScene(clipped, edge);
    QCOMPARE(clipped.pixelColor(117, 51), QColor(Qt::blue));
    QCOMPARE(clipped.pixelColor(119, 51), QColor(Qt::black));
    // A scene that does not clear draws on what the picture holds.
    ViewerScene over;
    over.Clears = false;
    over.add(ViewerStroke{{QPointF(0, 95), QPointF(119, 95)}, viewercolours::Yellow, 3});
    paintViewerScene(picture, over);
    QCOMPARE(picture.pixelColor(5, 5), QColor(10, 20, 30));
    QCOMPARE(picture.pixelColor(60, 95), QColor(Qt::yellow));
}

void TestViewerPaint::compassTurns()
{
    QImage compass(83, 83, QImage::Format_ARGB32);
    compass.fill(QColor(230, 240, 255));
    for (int y = 2; y <= 4; ++y) // the north point
        for (int x = 40; x <= 42; ++x)
            compass.setPixelColor(x, y, Qt::red);
    const ViewerRgb sea{160, 225, 255};

    const QImage still = turnCompass(compass, 0, sea);
    QCOMPARE(still.size(), QSize(100, 100));
    QCOMPARE(still.pixelColor(0, 0), QColor(160, 225, 255));
    QCOMPARE(still.pixelColor(41 + 8, 2 + 8), QColor(Qt::red));

    // A quarter turn clockwise brings north to the right.
    const QImage east = turnCompass(compass, 90, sea);
    int redRight = 0;
    for (int y = 45; y <= 55; ++y)
        for (int x = 85; x < 95; ++x)
            redRight += east.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
    QVERIFY(redRight >= 4);
    // Turned at any angle, the disc has no holes of sea colour inside it.
    const QImage odd = turnCompass(compass, -37, sea);
    for (int y = 12; y < 88; ++y)
        for (int x = 12; x < 88; ++x)
            if ((x - 50) * (x - 50) + (y - 50) * (y - 50) < 38 * 38)
                QVERIFY2(odd.pixelColor(x, y) != QColor(160, 225, 255), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    // Pixels outside the picture's circle are not copied.
    QCOMPARE(odd.pixelColor(9, 9), QColor(160, 225, 255));
}

void TestViewerPaint::timeBarPictures()
{
    TimeBarPicture picture;
    picture.Geometry = timeBarGeometry(160);
    picture.Bands = {TimeBarBand{1, 40, false}, TimeBarBand{41, 90, true}};
    picture.StartRow = 60;
    picture.Shade.fill(255, 160);
    for (int y = 0; y < 30; ++y)
        picture.Shade[y] = 0;
    const QImage bar = paintTimeBar(picture);
    QCOMPARE(bar.size(), QSize(30, 100));
    QCOMPARE(bar.pixelColor(0, 50), QColor(Qt::black));
    QCOMPARE(bar.pixelColor(10, 20), QColor(192, 192, 255));
    QCOMPARE(bar.pixelColor(10, 80), QColor(Qt::white));
    QCOMPARE(bar.pixelColor(10, 95), QColor(225, 225, 255));
    QCOMPARE(bar.pixelColor(10, 60), QColor(Qt::red));
    QCOMPARE(bar.pixelColor(10, 61), QColor(Qt::red));
    const QImage back = paintTimeBarBackground(picture);
    QCOMPARE(back.size(), QSize(50, 160));
    QCOMPARE(back.pixelColor(20, 10), QColor(0, 0, 0));
    QCOMPARE(back.pixelColor(20, 100), QColor(255, 255, 0));
}

QTEST_MAIN(TestViewerPaint)
#include "testviewerpaint.moc"
