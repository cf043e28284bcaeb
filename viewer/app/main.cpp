// Entry of the stand-alone viewer. The real window comes with the viewer's own work;
// for now it opens an empty main window with the program's title.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setObjectName("frmMain");
    window.setWindowTitle(QStringLiteral("orvane2007"));
    auto *label = new QLabel(QStringLiteral("orvane2007"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
