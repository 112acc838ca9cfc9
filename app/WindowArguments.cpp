#include "WindowArguments.h"

#include "CommandLine.h"
#include "core/TextFile.h"

#include <QProcessEnvironment>

#include <algorithm>

namespace fd {

namespace {

// Qt's own options that take the next word as their value, and those that take none. Qt also
// accepts them after two dashes, and a value after "=".
const QStringList qtOptionsWithValue = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("display"),         QStringLiteral("geometry"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("title"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("icon"),
    QStringLiteral("qwindowicon"),     QStringLiteral("name"),
    QStringLiteral("session"),         QStringLiteral("style"),
    QStringLiteral("stylesheet")};
const QStringList qtFlags = {QStringLiteral("reverse"),     QStringLiteral("widgetcount"),
                             QStringLiteral("testability"), QStringLiteral("qmljsdebugger"),
                             QStringLiteral("nograb"),      QStringLiteral("dograb"),
                             QStringLiteral("sync")};

// The option's name without its dashes and value; empty for a word that is no option.
QString optionName(const QString& argument) {
    if (!argument.startsWith(u'-') || argument.size() < 2)
        return {};
    const QString name = argument.mid(argument.startsWith(u"--") ? 2 : 1);
    return name.section(u'=', 0, 0);
}

// The value of Qt's option `name` among the arguments; null when it is not given.
QString qtOptionValue(const QStringList& arguments, const QString& name) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (optionName(arguments[i]) != name)
            continue;
        if (const qsizetype equals = arguments[i].indexOf(u'='); equals >= 0)
            return arguments[i].mid(equals + 1);
        return i + 1 < arguments.size() ? arguments[i + 1] : QStringLiteral("");
    }
    return {};
}

// The X11 and Wayland platforms show windows on a display; the others (offscreen, minimal,
// linuxfb, eglfs, vnc, ...) need none. Qt tries a list "a;b" in its order.
bool platformNeedsDisplay(const QString& platforms) {
    const QStringList names = platforms.split(u';', Qt::SkipEmptyParts);
    return std::ranges::all_of(names, [](const QString& name) {
        return name.startsWith(u"xcb") || name.startsWith(u"wayland");
    });
}

// The arguments after the program's name that are none of Qt's own options nor their values.
QStringList wordsQtDoesNotTake(const QStringList& arguments) {
    QStringList words;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString name = optionName(arguments[i]);
        if (qtOptionsWithValue.contains(name))
            i += int(!arguments[i].contains(u'='));
        else if (!qtFlags.contains(name))
            words << arguments[i];
    }
    return words;
}

// A display, or a platform that needs none.
bool windowHasSomewhereToShow(const QStringList& arguments,
                              const QProcessEnvironment& environment) {
    if (!environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
        !qtOptionValue(arguments, QStringLiteral("display")).isEmpty())
        return true;
    QString platform = qtOptionValue(arguments, QStringLiteral("platform"));
    if (platform.isNull())
        platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    return !platformNeedsDisplay(platform);
}

} // namespace

std::optional<int> refuseWindow(int argc, char* argv[]) {
    const QStringList arguments = argumentList(argc, argv);
    if (windowHasSomewhereToShow(arguments, QProcessEnvironment::systemEnvironment()))
        return std::nullopt; // Qt takes its options and names anything else left
    if (const QStringList words = wordsQtDoesNotTake(arguments); !words.isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\".").arg(words.front()));
    text::print(stderr, QStringLiteral(
                            "fragdocker: there is no display to open the window on; on a machine "
                            "without one use --list, --script, --engage or --status (see "
                            "--help), or open the window on a desktop.\n"));
    return exitCode::usage;
}

} // namespace fd
