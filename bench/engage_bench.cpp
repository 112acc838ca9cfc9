// ENGAGE with a full map rotation and bot roster (32,767 entries each), against writing the
// same bytes to a file directly. Prints both times and their ratio.

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
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
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

    const int runs = 15;
    const QString script = game + QStringLiteral("/baseEF/FragDocker.cfg");
    const double engage = medianMs(runs, [&] {
        if (const fd::Outcome<> engaged = fd::Engage(ctx); !engaged.ok())
            qFatal("%s", qPrintable(engaged.failure()));
    });
    QFile written(script);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    const QString copy = game + QStringLiteral("/baseEF/direct.cfg");
    const double direct = medianMs(runs, [&] {
        QFile file(copy);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    });

    QTextStream(stdout) << "ENGAGE with 32767 maps and 32767 bots (" << bytes.size()
                        << " bytes): " << engage << " ms\n"
                        << "writing the same bytes directly: " << direct << " ms\n"
                        << "ratio: " << engage / direct << "x (goal: at most 2x)\n";
    return 0;
}
