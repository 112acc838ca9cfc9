// ENGAGE with a full map rotation and bot roster (32,767 entries each), against writing the
// same bytes to a file directly. Both are mostly the kernel's work of writing a file, so the
// time decides: the shortest of many runs taken in turns, since a busy machine only ever adds
// time. Prints both times and their ratio (goal: at most 1.2). With `--count engage` or
// `--count write` runs only that side once, its user-space instructions counted (Counted.h).

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
    for (int i = 0; i < fd::FormModel::maxListItems; ++i) {
        form.addItem(fd::ctl::List2, QStringLiteral("hm_borg%1").arg(i));
        form.addItem(fd::ctl::list4, QStringLiteral("Munro %1").arg(i % 5));
    }

    // One ENGAGE first, untimed: its script is the bytes the plain write writes, and every
    // timed ENGAGE then replaces a script, as the user's do.
    const QString script = game + QStringLiteral("/baseEF/FragDocker.cfg");
    fd::Engage(ctx);
    QFile written(script);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    const QString copy = game + QStringLiteral("/baseEF/direct.cfg");
    const auto engage = [&] { fd::Engage(ctx); };
    const auto write = [&] {
        QFile file(copy);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    };
    if (const std::optional<std::string> side = fd::bench::countedSide(argc, argv))
        return *side == "engage"  ? fd::bench::countWork(engage)
               : *side == "write" ? fd::bench::countWork(write)
                                  : 2;

    double engageMs = std::numeric_limits<double>::max(), writeMs = engageMs;
    for (int run = 0; run < runs; ++run) {
        engageMs = std::min(engageMs, milliseconds(engage));
        writeMs = std::min(writeMs, milliseconds(write));
    }
    QTextStream(stdout) << "ENGAGE with 32767 maps and 32767 bots (" << bytes.size()
                        << " bytes): " << engageMs << " ms\n"
                        << "writing the same bytes directly: " << writeMs << " ms\n"
                        << "shortest of " << runs
                        << " alternated runs; ratio: " << engageMs / writeMs
                        << " (goal: at most 1.2)\n";
    return 0;
}
