// ENGAGE with a full map rotation and bot roster (32,767 entries each), against writing the
// same bytes to a file directly (goal: at most 1.2), and against plain code that makes the same
// rotation and roster lines with Qt's strings and writes them: what the script's own making
// costs beside the least any code must do. The time decides, the shortest of many runs taken in
// turns, since a busy machine only ever adds time. With `--count engage`, `--count write` or
// `--count format` runs only that side once, its user-space instructions counted (Counted.h).

#include "Counted.h"
#include "app/Program.h"
#include "core/Context.h"
#include "core/NullServices.h"
#include "settings/Engage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

constexpr int runs = 41;

double milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The rotation and roster lines made with Qt's strings, as plain code would, and written.
void makeLinesPlainly(const QStringList& maps, const QStringList& bots, const QString& path) {
    QByteArray text;
    for (qsizetype n = 1; n <= maps.size(); ++n)
        text += QStringLiteral("Set d%1 \"map %2; set nextmap vstr d%3\"\r\n")
                    .arg(n)
                    .arg(maps[n - 1])
                    .arg(n + 1)
                    .toLatin1();
    for (const QString& bot : bots)
        text += (QStringLiteral("addbot ") + bot + QStringLiteral("\r\n")).toLatin1();
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text);
}

void fillRotationAndRoster(fd::FormModel& form) {
    for (int i = 0; i < fd::FormModel::maxListItems; ++i) {
        form.addItem(fd::ctl::List2, QStringLiteral("hm_borg%1").arg(i));
        form.addItem(fd::ctl::list4, QStringLiteral("Munro %1").arg(i % 5));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir appDir, gameDir;
    const QString game = gameDir.filePath(QStringLiteral("Elite Force"));
    QDir().mkpath(game + QStringLiteral("/baseEF"));

    fd::NullServices none;
    fd::Program program({none, none, none, none}, appDir.path());
    fd::FormModel& form = program.form;
    fd::Context& ctx = program.ctx;
    form.setText(fd::ctl::frmGamePath::txtGamePath, game);
    form.setValue(fd::ctl::chkTurnBotsOn, 0);
    fillRotationAndRoster(form);

    // One ENGAGE first, untimed: its script is the bytes the plain write writes, and every
    // timed ENGAGE then replaces a script, as the user's do.
    const QString script = game + QStringLiteral("/baseEF/FragDocker.cfg");
    if (const fd::Outcome<> engaged = fd::Engage(ctx); !engaged.ok())
        qFatal("%s", qPrintable(engaged.failure()));
    QFile written(script);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    const QString copy = game + QStringLiteral("/baseEF/direct.cfg");
    const auto engage = [&] { (void)fd::Engage(ctx); };
    const auto write = [&] {
        QFile file(copy);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    };
    const QStringList maps = form.items(fd::ctl::List2), bots = form.items(fd::ctl::list4);
    const auto format = [&] { makeLinesPlainly(maps, bots, copy); };
    if (const std::optional<std::string> side = fd::bench::countedSide(argc, argv))
        return *side == "engage"   ? fd::bench::countWork(engage)
               : *side == "write"  ? fd::bench::countWork(write)
               : *side == "format" ? fd::bench::countWork(format)
                                   : 2;

    double engageMs = std::numeric_limits<double>::max(), writeMs = engageMs, formatMs = engageMs;
    for (int run = 0; run < runs; ++run) {
        engageMs = std::min(engageMs, milliseconds(engage));
        writeMs = std::min(writeMs, milliseconds(write));
        formatMs = std::min(formatMs, milliseconds(format));
    }
    QTextStream(stdout) << "ENGAGE with 32767 maps and 32767 bots (" << bytes.size()
                        << " bytes): " << engageMs << " ms\n"
                        << "writing the same bytes directly: " << writeMs << " ms\n"
                        << "making the lines with Qt's strings and writing them: " << formatMs
                        << " ms\n"
                        << "shortest of " << runs
                        << " alternated runs; ratio to the write: " << engageMs / writeMs
                        << " (goal: at most 1.2), to the plain making: " << engageMs / formatMs
                        << "\n";
    return 0;
}
