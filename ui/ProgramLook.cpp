#include "ProgramLook.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyleFactory>

#include <map>
#include <string_view>
#include <tuple>

namespace fd::ui {

using layout::Colour;

namespace {

// The substitutes run wider than the fonts the layout was drawn for.
constexpr int defaultFontStretch = 92;

void installFontSubstitutions() {
    const QString sans = QStringLiteral("DejaVu Sans");
    QFont::insertSubstitution(QString::fromLatin1(layout::Verdana), sans);
    QFont::insertSubstitution(QString::fromLatin1(layout::LucidaSansUnicode), sans);
    const QString narrowSans = QStringLiteral("Liberation Sans");
    QFont::insertSubstitution(QString::fromLatin1(layout::MSSansSerif), narrowSans);
    QFont::insertSubstitution(QString::fromLatin1(layout::SystemFont), narrowSans);
    QFont::insertSubstitution(QString::fromLatin1(layout::ComicSansMS),
                              QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QString::fromLatin1(layout::CourierNew),
                              QStringLiteral("Liberation Mono"));
}

QFont defaultFont() {
    QFont font(QString::fromLatin1(layout::MSSansSerif));
    font.setPixelSize(11);
    font.setStretch(defaultFontStretch);
    return font;
}

QFont makeFont(const layout::Font& face, unsigned style) {
    QFont font = QApplication::font();
    if (face.family) {
        font.setFamily(QString::fromLatin1(face.family));
        font.setPixelSize(qRound(face.points * 96.0 / 72.0));
    }
    font.setStretch(defaultFontStretch);
    font.setBold(style & layout::Bold);
    font.setItalic(style & layout::Italic);
    return font;
}

} // namespace

QFont tabCaptionFont() {
    QFont captions(QString::fromLatin1(layout::Verdana));
    captions.setPixelSize(12);
    captions.setBold(true);
    return captions;
}

std::jthread installProgramLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutions();
    QApplication::setFont(defaultFont());
    // The fonts are made on that thread: a font is not shared across threads.
    return std::jthread([] {
        QFontMetrics(defaultFont()).height();
        QFontMetrics(tabCaptionFont()).height();
    });
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
