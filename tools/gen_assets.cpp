// Generates the application's sounds and pictures into the folder named on the command line:
//   WAVS/<cue>.wav       one short synthesised sound for every cue
//   banner.bmp           the 500 x 100 title banner, uncompressed: it is read at every start
//   fragdocker.png       the 32 x 32 window icon
//   fragdocker-256.png   the same icon at 256 x 256 for a desktop menu entry
// With --theme-icons, only the icon, in each size of the desktop's icon theme.
// Everything is computed here; nothing is read from disk except the installed font.
// Run with QT_QPA_PLATFORM=offscreen when there is no display.

#include "core/Cues.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string_view>
#include <vector>

namespace {

// ---- Sounds ------------------------------------------------------------------------------------

constexpr int sampleRate = 22050;
constexpr double edge = 0.006; // seconds of fade-in and fade-out on every note, against clicks

// One note of a cue: a tone gliding exponentially from `from` to `to` Hz.
struct Note {
    double start;  // seconds from the beginning of the cue
    double length; // seconds
    double from;
    double to;
    double level = 0.45;
    double decay = 0;    // exponential fall-off per second; 0 holds the tone
    double pulse = 0;    // tremolo rate in Hz; 0 for none
    bool bright = false; // odd harmonics for a harder, buzzer-like tone
};

using Cue = std::vector<Note>;

// The design of every cue; an empty design means the cue has none yet.
Cue design(std::string_view cue) {
    using namespace fd::cue;
    if (cue == chanopen) // a quick upward chirp
        return {{0, 0.17, 700, 1400, 0.4}, {0.16, 0.06, 1400, 1400, 0.35}};
    if (cue == beep2) // a low double blip
        return {{0, 0.07, 740, 740}, {0.11, 0.07, 740, 740}};
    if (cue == beep) // a single high blip
        return {{0, 0.15, 1480, 1480, 0.4, 12}};
    if (cue == ralert) // a two-tone alarm
        return {{0, 0.15, 880, 880, 0.55, 0, 0, true},
                {0.15, 0.15, 587, 587, 0.55, 0, 0, true},
                {0.30, 0.15, 880, 880, 0.55, 0, 0, true},
                {0.45, 0.15, 587, 587, 0.55, 0, 0, true}};
    if (cue == filesrec) // three quick rising notes
        return {{0, 0.14, 523, 523, 0.35, 10},
                {0.09, 0.14, 659, 659, 0.35, 10},
                {0.18, 0.2, 784, 784, 0.35, 8}};
    if (cue == working) // a pulsing low fifth
        return {{0, 0.6, 330, 330, 0.35, 0, 10}, {0, 0.6, 495, 495, 0.2, 0, 10}};
    if (cue == trancomp) // a falling two-note
        return {{0, 0.15, 1047, 1047, 0.4, 4}, {0.15, 0.25, 698, 698, 0.4, 6}};
    if (cue == progact) // a soft three-note chime
        return {{0, 0.45, 784, 784, 0.3, 6},
                {0.15, 0.45, 988, 988, 0.3, 6},
                {0.3, 0.45, 1175, 1175, 0.3, 6}};
    if (cue == engage) // a rising sweep
        return {{0, 0.55, 180, 1400, 0.55, 0, 0, true}};
    return {};
}

// The value of one note `t` seconds after it starts, in -level..level.
double noteValue(const Note& n, double t) {
    // The phase of an exponential glide is the integral of its frequency.
    const double ratio = n.to / n.from;
    const double cycles =
        ratio == 1 ? n.from * t
                   : n.from * n.length * (std::pow(ratio, t / n.length) - 1) / std::log(ratio);
    const double phase = 2 * std::numbers::pi * cycles;
    double wave = std::sin(phase);
    if (n.bright)
        wave = 0.75 * (wave + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5);

    double envelope = std::min({1.0, t / edge, (n.length - t) / edge});
    if (n.decay > 0)
        envelope *= std::exp(-n.decay * t);
    if (n.pulse > 0)
        envelope *= 0.5 - 0.5 * std::cos(2 * std::numbers::pi * n.pulse * t);
    return n.level * envelope * wave;
}

std::vector<std::int16_t> render(const Cue& cue) {
    double seconds = 0;
    for (const Note& n : cue)
        seconds = std::max(seconds, n.start + n.length);
    std::vector<double> mix(static_cast<std::size_t>(std::ceil(seconds * sampleRate)));
    for (const Note& n : cue) {
        const auto first = static_cast<std::size_t>(n.start * sampleRate);
        const auto count = static_cast<std::size_t>(n.length * sampleRate);
        for (std::size_t i = 0; i < count && first + i < mix.size(); ++i)
            mix[first + i] += noteValue(n, static_cast<double>(i) / sampleRate);
    }
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    for (double v : mix)
        samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
    return samples;
}

void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A canonical 44-byte RIFF/WAVE header followed by 16-bit mono PCM samples.
bool writeCue(const QString& path, const Cue& cue) {
    const std::vector<std::int16_t> samples = render(cue);
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray bytes;
    bytes.append("RIFF");
    appendLittleEndian(bytes, 36 + dataSize, 4);
    bytes.append("WAVEfmt ");
    appendLittleEndian(bytes, 16, 4);             // format chunk size
    appendLittleEndian(bytes, 1, 2);              // PCM
    appendLittleEndian(bytes, 1, 2);              // mono
    appendLittleEndian(bytes, sampleRate, 4);     // samples per second
    appendLittleEndian(bytes, sampleRate * 2, 4); // bytes per second
    appendLittleEndian(bytes, 2, 2);              // bytes per sample frame
    appendLittleEndian(bytes, 16, 2);             // bits per sample
    bytes.append("data");
    appendLittleEndian(bytes, dataSize, 4);
    for (std::int16_t s : samples)
        appendLittleEndian(bytes, static_cast<std::uint16_t>(s), 2);

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// ---- Pictures ----------------------------------------------------------------------------------

QLinearGradient gold(double top, double bottom) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, QColor(0xFF, 0xF1, 0xA8));
    g.setColorAt(0.4, QColor(0xFF, 0xD7, 0x00));
    g.setColorAt(1, QColor(0xB8, 0x86, 0x0B));
    return g;
}

// "FragDocker" in bold gold letters, centred on black.
bool writeBanner(const QString& path) {
    QImage image(500, 100, QImage::Format_RGB32);
    image.fill(Qt::black);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(72);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("FragDocker"));
    // Fit the letters into the banner with a margin and centre them.
    const QRectF box = text.boundingRect();
    const double scale = std::min(456 / box.width(), 76 / box.height());
    QTransform place;
    place.translate(250, 50);
    place.scale(scale, scale);
    place.translate(-box.center().x(), -box.center().y());
    text = place.map(text);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF letters = text.boundingRect();
    painter.setPen(QPen(QColor(0x6B, 0x4A, 0x00), 1.6));
    painter.setBrush(gold(letters.top(), letters.bottom()));
    painter.drawPath(text);
    painter.end();
    return image.save(path, "BMP");
}

// A gold delta on a dark blue rounded square, drawn on a 100-unit grid scaled to `size`.
bool writeIcon(const QString& path, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);

    QLinearGradient blue(0, 0, 0, 100);
    blue.setColorAt(0, QColor(0x22, 0x40, 0x85));
    blue.setColorAt(1, QColor(0x08, 0x12, 0x30));
    painter.setPen(QPen(QColor(0x5C, 0x7E, 0xC8), 2));
    painter.setBrush(blue);
    painter.drawRoundedRect(QRectF(2, 2, 96, 96), 18, 18);

    QPainterPath delta;
    delta.moveTo(50, 10);
    delta.lineTo(83, 88);
    delta.lineTo(50, 69);
    delta.lineTo(17, 88);
    delta.closeSubpath();
    painter.setPen(QPen(QColor(0x6B, 0x4A, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(gold(10, 88));
    painter.drawPath(delta);
    painter.end();
    return image.save(path, "PNG");
}

bool report(bool written, const QString& path) {
    if (!written)
        std::fprintf(stderr, "fd_gen_assets: cannot write %s\n", qPrintable(path));
    return written;
}

// The icon in every size of the desktop's icon theme, as FOLDER/NxN/apps/fragdocker.png.
int writeThemeIcons(const QDir& out) {
    bool ok = true;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = out.filePath(folder + QStringLiteral("/fragdocker.png"));
        ok = report(out.mkpath(folder) && writeIcon(path, size), path) && ok;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const QGuiApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--theme-icons") == 0)
        return writeThemeIcons(QDir(QString::fromLocal8Bit(argv[2])));
    if (argc != 2) {
        std::fprintf(stderr, "Usage: fd_gen_assets OUTPUT_FOLDER\n"
                             "       fd_gen_assets --theme-icons OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("WAVS"))) {
        std::fprintf(stderr, "fd_gen_assets: cannot create %s/WAVS\n", argv[1]);
        return 1;
    }

    bool ok = true;
    for (const char* cue : fd::cue::all) {
        const QString path = out.filePath(QStringLiteral("WAVS/") + QString::fromLatin1(cue));
        const Cue notes = design(cue);
        if (notes.empty())
            std::fprintf(stderr, "fd_gen_assets: no sound designed for %s\n", cue);
        ok = !notes.empty() && report(writeCue(path, notes), path) && ok;
    }
    const QString banner = out.filePath(QStringLiteral("banner.bmp"));
    ok = report(writeBanner(banner), banner) && ok;
    const QString icon = out.filePath(QStringLiteral("fragdocker.png"));
    ok = report(writeIcon(icon, 32), icon) && ok;
    const QString bigIcon = out.filePath(QStringLiteral("fragdocker-256.png"));
    ok = report(writeIcon(bigIcon, 256), bigIcon) && ok;
    return ok ? 0 : 1;
}
