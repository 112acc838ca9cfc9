// Generates the map pictures into the application folder named on the command line, one
// for every record of the map catalogue given, plus the placeholder:
//     fd_gen_map_images MAP_CATALOGUE APPLICATION_FOLDER
// Each picture is the map's name on a ground whose colour tells the map's type (warm for
// Capture the Flag, cool for Holomatch) and varies from map to map. Nothing is read from disk
// except the catalogue and the installed font. Run with QT_QPA_PLATFORM=offscreen when there
// is no display.

#include "catalog/MapCatalogue.h"
#include "catalog/MapPictures.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdint>
#include <cstdio>

namespace {

// The size of the map picture box on the Maps tab.
constexpr int width = 141;
constexpr int height = 146;

// A hue that stays the same for a name from build to build.
int hueOf(const QString& name, int from, int span) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (QChar c : name)
        hash = (hash ^ c.unicode()) * 16777619u;
    return (from + int(hash % std::uint32_t(span))) % 360;
}

QFont font(int pixels, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QImage picture(const QString& kind, const QString& title, const QString& name, int hue) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, height);
    ground.setColorAt(0, QColor::fromHsv(hue, 150, 170));
    ground.setColorAt(1, QColor::fromHsv(hue, 220, 60));
    painter.fillRect(image.rect(), ground);
    painter.setPen(QColor::fromHsv(hue, 60, 235));
    painter.drawRect(QRectF(2.5, 2.5, width - 5, height - 5));

    painter.setPen(QColor(255, 255, 255, 190));
    painter.setFont(font(10, true));
    painter.drawText(QRect(0, 8, width, 14), Qt::AlignHCenter, kind);
    painter.setPen(Qt::white);
    painter.setFont(font(17, true));
    painter.drawText(QRect(8, 28, width - 16, 84), Qt::AlignCenter | Qt::TextWordWrap, title);
    painter.setPen(QColor(255, 255, 255, 210));
    painter.setFont(font(10, false));
    painter.drawText(QRect(0, height - 26, width, 16), Qt::AlignHCenter, name);
    painter.end();
    return image;
}

bool save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    if (image.save(path, "JPG", 90))
        return true;
    std::fprintf(stderr, "fd_gen_map_images: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    const QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Usage: fd_gen_map_images MAP_CATALOGUE APPLICATION_FOLDER\n");
        return 2;
    }
    const std::optional<fd::CatalogueText> lines =
        fd::readCatalogue(QString::fromLocal8Bit(argv[1]));
    if (!lines) {
        std::fprintf(stderr, "fd_gen_map_images: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString folder =
        QString::fromLocal8Bit(argv[2]) + u'/' + QString::fromLatin1(fd::mapimages::folder);

    bool ok = true;
    fd::MapRecordReader reader(*lines);
    while (const std::optional<fd::MapRecord> map = reader.next()) {
        QString file = map->PictureFile;
        file.replace(u'\\', u'/');
        const bool ctf = fd::hasCtfFlag(*map, 1);
        const QImage image = picture(
            ctf ? QStringLiteral("CAPTURE THE FLAG") : QStringLiteral("HOLOMATCH"), map->MapName,
            map->ListName, ctf ? hueOf(map->ListName, 340, 60) : hueOf(map->ListName, 170, 90));
        ok = save(image, folder + file) && ok;
    }
    // The placeholder is written last: the build takes it as the sign that all are there.
    const QImage unknown = picture(QStringLiteral("NO PICTURE"), QStringLiteral("?"),
                                   QStringLiteral("unknown map"), -1); // grey
    ok = save(unknown, QString::fromLocal8Bit(argv[2]) + u'/' +
                           QString::fromLatin1(fd::mapimages::placeholder)) &&
         ok;
    return ok ? 0 : 1;
}
