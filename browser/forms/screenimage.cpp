#include "screenimage.h"

#include "formtexts.h"
#include "screenimagelayout.h"

#include <appfolder.h>
#include <dialogs.h>
#include <opendocument.h>
#include <textfile.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int TextPixels = 12; // 9 points at the design resolution

QFont textFont(const ScreenImageInput &input)
{
    QFont f(input.fontFamily);
    f.setPixelSize(std::max(1, int(TextPixels * double(input.scale) + 0.5)));
    return f;
}

} // namespace

QImage composeScreenImage(const ScreenImageInput &input)
{
    const ScreenImageLayout l = screenImageLayout(input.chartSize, input.overview.size());
    QImage canvas(l.canvas, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.drawImage(l.overview, input.overview);

    const QFont font = textFont(input);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetrics fm(font);
    // The labels are the same in both languages.
    const QString lines[2] = {QStringLiteral("ファイル名： ") + input.fileName,
                              QStringLiteral("日時： ") + input.dateTimeText};
    int y = l.fileNameText.y();
    for (const QString &line : lines) {
        p.drawText(QPoint(l.fileNameText.x(), y + fm.ascent()), line);
        y += fm.height();
    }

    for (int i = 0; i < input.boats.size(); ++i) {
        const ScreenImageBoat &boat = input.boats[i];
        const QRect box = l.legendBox(i + 1);
        p.fillRect(box, QColor::fromRgb(boat.colour));
        p.setPen(Qt::white);
        const QPoint name = l.legendName(i + 1);
        p.save();
        p.setClipRect(box);
        p.drawText(QPoint(name.x(), name.y() + fm.ascent()), boat.name);
        p.restore();
    }

    p.drawImage(l.page, input.pageImage);
    if (input.page == ScreenImageInput::Page::Track) {
        for (const ScreenImageSymbol &s : input.symbols)
            p.drawImage(s.position + l.page, s.image);
    }
    p.end();
    return canvas;
}

QString screenImageFileName()
{
    return QStringLiteral("無題.bmp");
}

QString writeScreenImage(const QString &applicationFolder, const QImage &image, QString *error)
{
    const QString folder = platform::resolvePath(applicationFolder, QStringLiteral("gpsdat"));
    QDir().mkpath(folder);
    const QString path = platform::resolvePath(folder, screenImageFileName());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) {
        if (error)
            *error = QDir::toNativeSeparators(path);
        return {};
    }
    if (!platform::writeFileAtomically(path, bytes, error))
        return {};
    return path;
}

bool SaveScreenImage(const AppSettings &settings, const ScreenImageInput &input)
{
    QString error;
    const QString path = writeScreenImage(settings.ApplicationFolder, composeScreenImage(input), &error);
    if (path.isEmpty()) {
        platform::dialogs().message(formText(settings, FormText::ScreenImageNotWritten) + QStringLiteral("\r\n") + error);
        return false;
    }
    OpenDocument(path);
    return true;
}
