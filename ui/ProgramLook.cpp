#include "ProgramLook.h"

#include <QApplication>
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

} // namespace

QFont tabCaptionFont() {
    QFont captions(installedFamily(layout::Verdana));
    captions.setPixelSize(12);
    captions.setBold(true);
    return captions;
}

void installProgramLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
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
