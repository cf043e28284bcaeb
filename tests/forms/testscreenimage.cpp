// The screen image: where its pieces lie, what the composed bitmap holds for each page, and
// the bitmap written to gpsdat/無題.bmp and opened.
#include <appsettings.h>
#include <dialogs.h>
#include <opendocument.h>
#include <screenimage.h>
#include <screenimagelayout.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

class TestScreenImage : public QObject
{
    Q_OBJECT

    static QImage filled(QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
    // A chart of 400 × 300 with an overview of 120 × 90 and three boats.
    static ScreenImageInput input(ScreenImageInput::Page page)
    {
        ScreenImageInput in;
        in.page = page;
        in.chartSize = QSize(400, 300);
        in.pageImage = filled(page == ScreenImageInput::Page::Track ? QSize(400, 300) : QSize(380, 280),
                              page == ScreenImageInput::Page::Track ? QColor(0, 255, 255) : QColor(255, 255, 0));
        in.symbols = {{filled(QSize(8, 8), QColor(255, 0, 255)), QPoint(100, 50)}};
        in.overview = filled(QSize(120, 90), QColor(0, 0, 128));
        in.fileName = QStringLiteral("race1.txt");
        in.dateTimeText = QStringLiteral("2008/03/03 10:34:00");
        in.boats = {{QStringLiteral("BOAT1"), rgb(255, 0, 0)},
                    {QStringLiteral("Tiger"), rgb(0, 0, 255)},
                    {QStringLiteral("Kaze"), rgb(0, 128, 0)}};
        in.fontFamily = QStringLiteral("MS Sans Serif");
        return in;
    }

private slots:
    void legendPositions_data();
    void legendPositions();
    void layoutOfThePieces();
    void trackPageWithSymbols();
    void graphPageWithoutSymbols();
    void writtenAsBitmapUnderItsJapaneseNameAndOpened();
};

void TestScreenImage::legendPositions_data()
{
    QTest::addColumn<int>("boat");
    QTest::addColumn<QRect>("box");
    // H6 = 90: boxes at H6 + 40, + 56, + 72, from x0 = W1 + 10 to x0 + W6 − 2, 14 high.
    QTest::newRow("boat 1") << 1 << QRect(QPoint(410, 130), QPoint(528, 143));
    QTest::newRow("boat 2") << 2 << QRect(QPoint(410, 146), QPoint(528, 159));
    QTest::newRow("boat 3") << 3 << QRect(QPoint(410, 162), QPoint(528, 175));
}

void TestScreenImage::legendPositions()
{
    QFETCH(int, boat);
    QFETCH(QRect, box);
    const ScreenImageLayout l = screenImageLayout(QSize(400, 300), QSize(120, 90));
    QCOMPARE(l.legendBox(boat), box);
    QCOMPARE(l.legendName(boat), box.topLeft() + QPoint(3, 1));
}

void TestScreenImage::layoutOfThePieces()
{
    const ScreenImageLayout l = screenImageLayout(QSize(400, 300), QSize(120, 90));
    QCOMPARE(l.canvas, QSize(400 + 120 + 15, 310));
    QCOMPARE(l.page, QPoint(5, 5));
    QCOMPARE(l.overview, QPoint(410, 5));
    QCOMPARE(l.fileNameText, QPoint(410, 95));
}

void TestScreenImage::trackPageWithSymbols()
{
    const QImage image = composeScreenImage(input(ScreenImageInput::Page::Track));
    QCOMPARE(image.size(), QSize(535, 310));
    // White canvas around the pieces.
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    QCOMPARE(image.pixelColor(534, 309), QColor(Qt::white));
    // Chart at (5, 5), the symbol at its position + (5, 5), the overview at (x0, 5).
    QCOMPARE(image.pixelColor(5, 5), QColor(0, 255, 255));
    QCOMPARE(image.pixelColor(404, 304), QColor(0, 255, 255));
    QCOMPARE(image.pixelColor(105, 55), QColor(255, 0, 255));
    QCOMPARE(image.pixelColor(112, 62), QColor(255, 0, 255));
    QCOMPARE(image.pixelColor(113, 63), QColor(0, 255, 255));
    QCOMPARE(image.pixelColor(410, 5), QColor(0, 0, 128));
    QCOMPARE(image.pixelColor(529, 94), QColor(0, 0, 128));
    // Legend boxes in the boats' colours, the right edge at x0 + W6 − 2 and white beyond.
    QCOMPARE(image.pixelColor(527, 131), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(527, 147), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(528, 175), QColor(0, 128, 0));
    QCOMPARE(image.pixelColor(529, 175), QColor(Qt::white));
    QCOMPARE(image.pixelColor(528, 176), QColor(Qt::white));
    // Names in white inside the boxes, texts in black between the overview and the legend.
    bool whiteInBox1 = false;
    for (int x = 413; x < 440 && !whiteInBox1; ++x)
        for (int y = 131; y < 143 && !whiteInBox1; ++y)
            whiteInBox1 = image.pixelColor(x, y) == QColor(Qt::white);
    QVERIFY(whiteInBox1);
    bool darkText = false;
    for (int x = 410; x < 530 && !darkText; ++x)
        for (int y = 95; y < 130 && !darkText; ++y)
            darkText = qGray(image.pixel(x, y)) < 100;
    QVERIFY(darkText);
}

void TestScreenImage::graphPageWithoutSymbols()
{
    const QImage image = composeScreenImage(input(ScreenImageInput::Page::Graph));
    // The canvas keeps the chart's size; the graph is copied at (5, 5) and symbols are not drawn.
    QCOMPARE(image.size(), QSize(535, 310));
    QCOMPARE(image.pixelColor(5, 5), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(105, 55), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(390, 290), QColor(Qt::white));
}

void TestScreenImage::writtenAsBitmapUnderItsJapaneseNameAndOpened()
{
    QTemporaryDir app;
    QVERIFY(app.isValid());
    // An existing image is replaced.
    QDir(app.path()).mkpath(QStringLiteral("gpsdat"));
    {
        QFile old(QDir(app.path()).filePath(QStringLiteral("gpsdat/無題.bmp")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QStringList opened;
    const DocumentOpener previous = setDocumentOpener([&opened](const QString &path) {
        opened << path;
        return 42;
    });
    platform::ScriptedDialogs dialogs;
    platform::DialogsGuard guard(&dialogs);
    AppSettings s;
    s.ApplicationFolder = app.path();
    QVERIFY(SaveScreenImage(s, input(ScreenImageInput::Page::Track)));
    setDocumentOpener(previous);

    const QString path = QDir(app.path()).filePath(QStringLiteral("gpsdat/無題.bmp"));
    QCOMPARE(opened, QStringList{path});
    QVERIFY(dialogs.shown.isEmpty());
    // The name is stored in UTF-8, the bytes of "無題.bmp".
    const QStringList names = QDir(QDir(app.path()).filePath(QStringLiteral("gpsdat"))).entryList(QDir::Files);
    QCOMPARE(names, QStringList{QStringLiteral("無題.bmp")});
    QCOMPARE(QFile::encodeName(names.first()), QByteArray("\xe7\x84\xa1\xe9\xa1\x8c.bmp"));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage back = reader.read();
    QCOMPARE(back.size(), QSize(535, 310));
    QCOMPARE(back.pixelColor(527, 131), QColor(255, 0, 0));
}

QTEST_MAIN(TestScreenImage)
#include "testscreenimage.moc"
