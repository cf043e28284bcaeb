// Makes the pictures and the sound the race display shows and plays, from nothing but code,
// so that they are the product's own and can be made again at will:
//   gun.wav        the start and finish gun: 16-bit mono PCM at 22 050 Hz, about 0.9 s
//   flags/blue_p.png  the preparatory signal: a blue flag with a white square
//   flags/seven.png   the class flag: numeral pennant 7, yellow over red
//
//   assetgen OUTDIR      (the project keeps its output in assets/; see assets/README.md)
//
// The output is the same on every run (a fixed seed for the noise), so a regenerated file
// differs from the committed one only when this program changed.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int SampleRate = 22050;
constexpr double Seconds = 0.9;
constexpr double Pi = 3.14159265358979323846;

// A small linear congruential generator: the same noise on every machine.
class Noise
{
public:
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) / double(1ULL << 53) * 2.0 - 1.0; // −1 … 1
    }

private:
    std::uint64_t m_state = 20080303;
};

// A shot: a crack of broadband noise that dies within a few milliseconds, the boom of the
// muzzle blast (noise through a low-pass filter, decaying over a few hundred milliseconds),
// a low thump that drops in pitch, and a faint echo off the water.
std::vector<double> gunShot()
{
    const int n = int(SampleRate * Seconds);
    std::vector<double> out(size_t(n), 0.0);
    Noise noise;
    double low = 0.0, lower = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / SampleRate;
        const double white = noise.next();
        const double attack = std::min(1.0, t / 0.0015);
        const double crack = white * std::exp(-t / 0.006);
        low += 0.18 * (white - low);
        lower += 0.08 * (low - lower);
        const double boom = lower * 3.2 * std::exp(-t / 0.16);
        const double pitch = 55.0 + 45.0 * std::exp(-t / 0.05);
        const double thump = 0.55 * std::sin(2.0 * Pi * pitch * t) * std::exp(-t / 0.09);
        out[size_t(i)] = attack * (0.7 * crack + boom + thump);
    }
    // The echo, 120 ms later and much softer.
    const int delay = int(0.12 * SampleRate);
    for (int i = n - 1; i >= delay; --i)
        out[size_t(i)] += 0.25 * out[size_t(i - delay)];
    // A fade over the last 100 ms, then the whole shot scaled to just below full scale.
    const int fade = int(0.1 * SampleRate);
    for (int i = n - fade; i < n; ++i)
        out[size_t(i)] *= double(n - i) / fade;
    double peak = 0.0;
    for (double v : out)
        peak = std::max(peak, std::fabs(v));
    for (double &v : out)
        v = v / peak * 0.9;
    return out;
}

void putLE(QByteArray &b, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

QByteArray wav(const std::vector<double> &samples)
{
    QByteArray data;
    for (double s : samples)
        putLE(data, std::uint32_t(std::uint16_t(std::int16_t(std::lround(s * 32767.0)))), 2);
    QByteArray b("RIFF");
    putLE(b, std::uint32_t(36 + data.size()), 4);
    b.append("WAVEfmt ");
    putLE(b, 16, 4);
    putLE(b, 1, 2);              // PCM
    putLE(b, 1, 2);              // mono
    putLE(b, SampleRate, 4);
    putLE(b, SampleRate * 2, 4); // bytes a second
    putLE(b, 2, 2);              // bytes a frame
    putLE(b, 16, 2);             // bits a sample
    b.append("data");
    putLE(b, std::uint32_t(data.size()), 4);
    b.append(data);
    return b;
}

// The preparatory signal "P": a blue field with a white square in the middle, on a staff.
QImage bluePeter()
{
    QImage image(64, 44, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QRect field(4, 2, 58, 40);
    p.fillRect(QRect(0, 0, 3, 44), QColor(90, 60, 30)); // staff
    p.fillRect(field, QColor(0, 51, 160));
    p.fillRect(QRect(field.left() + 22, field.top() + 13, 14, 14), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(field.adjusted(0, 0, -1, -1));
    return image;
}

// Numeral pennant 7: a tapering pennant, yellow over red, on a staff.
QImage numeralSeven()
{
    QImage image(76, 44, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRect(0, 0, 3, 44), QColor(90, 60, 30)); // staff
    const QPointF hoistTop(4, 2), hoistBottom(4, 42), flyTop(74, 17), flyBottom(74, 27);
    QPainterPath upper;
    upper.moveTo(hoistTop);
    upper.lineTo(flyTop);
    upper.lineTo(74, 22);
    upper.lineTo(4, 22);
    upper.closeSubpath();
    QPainterPath lower;
    lower.moveTo(4, 22);
    lower.lineTo(74, 22);
    lower.lineTo(flyBottom);
    lower.lineTo(hoistBottom);
    lower.closeSubpath();
    p.fillPath(upper, QColor(255, 210, 0));
    p.fillPath(lower, QColor(220, 0, 0));
    QPainterPath outline;
    outline.moveTo(hoistTop);
    outline.lineTo(flyTop);
    outline.lineTo(flyBottom);
    outline.lineTo(hoistBottom);
    outline.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(outline);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: assetgen OUTDIR\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!out.mkpath(QStringLiteral("flags"))) {
        err << "assetgen: cannot make " << out.filePath(QStringLiteral("flags")) << "\n";
        return 1;
    }
    QFile gun(out.filePath(QStringLiteral("gun.wav")));
    if (!gun.open(QIODevice::WriteOnly) || gun.write(wav(gunShot())) < 0) {
        err << "assetgen: cannot write " << gun.fileName() << "\n";
        return 1;
    }
    gun.close();
    if (!bluePeter().save(out.filePath(QStringLiteral("flags/blue_p.png")))
        || !numeralSeven().save(out.filePath(QStringLiteral("flags/seven.png")))) {
        err << "assetgen: cannot write the flag pictures in " << out.path() << "\n";
        return 1;
    }
    return 0;
}
