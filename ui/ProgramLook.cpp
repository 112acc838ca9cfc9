#include "ProgramLook.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>
#include <QStyleFactory>

#include <map>
#include <string_view>
#include <tuple>

namespace fd::ui {

using layout::Colour;

namespace {

// The substitutes run wider than the fonts the layout was drawn for.
constexpr int defaultFontStretch = 92;

// The installed font that stands in for a family the layout names. Widgets ask for the
// installed family itself rather than through a font substitution: a family missing from the
// system costs two fontconfig searches of every font to resolve, per family and style.
QString installedFamily(const char* family) {
    const std::string_view name = family;
    if (name == layout::Verdana || name == layout::LucidaSansUnicode)
        return QStringLiteral("DejaVu Sans");
    if (name == layout::MSSansSerif || name == layout::SystemFont)
        return QStringLiteral("Liberation Sans");
    if (name == layout::ComicSansMS)
        return QStringLiteral("Comic Neue");
    if (name == layout::CourierNew)
        return QStringLiteral("Liberation Mono");
    return QString::fromLatin1(family);
}

QFont defaultFont() {
    QFont font(installedFamily(layout::MSSansSerif));
    font.setPixelSize(11);
    font.setStretch(defaultFontStretch);
    return font;
}

QFont makeFont(const layout::Font& face, unsigned style) {
    QFont font = QApplication::font();
    if (face.family) {
        font.setFamily(installedFamily(face.family));
        font.setPixelSize(qRound(face.points * 96.0 / 72.0));
    }
    font.setStretch(defaultFontStretch);
    font.setBold(style & layout::Bold);
    font.setItalic(style & layout::Italic);
    return font;
}

// The key under which QPixmap::load (Qt 6) keeps a picture file it read in the pixmap cache: the
// file's path, then its time and size and the pixmap kind (0) as the hex digits of their bytes,
// lowest nibble first. A key that no longer matches costs only the plugins' loading again.
QString pixmapCacheKey(const QString& file) {
    const QFileInfo info(file);
    QString key = QStringLiteral("qt_pixmap") + info.absoluteFilePath();
    const auto appendHex = [&key](auto value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        constexpr char digits[] = "0123456789abcdef";
        for (std::size_t i = 0; i < sizeof value; ++i) {
            key += QLatin1Char(digits[bytes[i] & 0xf]);
            key += QLatin1Char(digits[bytes[i] >> 4]);
        }
    };
    appendHex(uint(info.lastModified().toSecsSinceEpoch()));
    appendHex(quint64(info.size()));
    appendHex(uint(0));
    return key;
}

// Fusion draws each group box frame with a picture it reads without naming its format; read here
// as a PNG and left in the cache, it is found there instead.
void cacheStylePictures() {
    const QString groupBox =
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
    QPixmapCache::insert(pixmapCacheKey(groupBox), pictureOf(groupBox, "PNG"));
}

} // namespace

QPixmap pictureOf(const QString& file, const char* format) {
    QImageReader reader(file, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

QFont tabCaptionFont() {
    QFont captions(installedFamily(layout::Verdana));
    captions.setPixelSize(12);
    captions.setBold(true);
    return captions;
}

void installProgramLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    cacheStylePictures();
    QApplication::setFont(defaultFont());
}

QColor colourOf(Colour colour) {
    switch (colour) {
    case Colour::Red:
        return {255, 0, 0};
    case Colour::Blue:
        return {0, 0, 255};
    case Colour::Green:
        return {0, 192, 0};
    case Colour::Grey:
        return {128, 128, 128};
    case Colour::LightGrey:
        return {224, 224, 224};
    case Colour::Default:
        break;
    }
    return {};
}

// Made again should the application's default font change.
const QFont& fontOf(const layout::Font& face, unsigned style) {
    using Key = std::tuple<std::string_view, double, unsigned>;
    static std::map<Key, QFont> fonts;
    static QFont madeFrom;
    if (madeFrom != QApplication::font()) {
        fonts.clear();
        madeFrom = QApplication::font();
    }
    const unsigned fontStyle = style & (layout::Bold | layout::Italic);
    const Key key{face.family ? face.family : "", face.points, fontStyle};
    auto found = fonts.find(key);
    if (found == fonts.end())
        found = fonts.emplace(key, makeFont(face, fontStyle)).first;
    return found->second;
}

} // namespace fd::ui
