// The store's start-up maintenance (leftovers, compaction into dock2.sav, replacing dock.sav,
// opening) against the sqlite3 command-line tool's own compaction of the same file:
//     sqlite3 dock.sav "VACUUM INTO 'x.sav'"
// Prints the median time of each and their ratio; the goal is a ratio of at most 1.2.

#include "store/SettingsStore.h"
#include "store/SlotRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int rounds = 41;

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty()) {
        out << "skipped: the sqlite3 command-line tool is not installed (Debian package sqlite3)\n";
        return 0;
    }

    QTemporaryDir folder;
    const auto fresh = [](const QString& slot) {
        return fd::initialRecord(slot, QStringLiteral("/games/Elite Force"));
    };
    fd::SettingsStore store;
    if (const auto opened = store.open(folder.path(), fresh); !opened.ok()) {
        out << opened.failure() << '\n';
        return 1;
    }
    store.close();
    const QString storeFile = folder.filePath(QStringLiteral("dock.sav"));
    const QString copy = folder.filePath(QStringLiteral("x.sav"));

    std::vector<double> ours;
    std::vector<double> tool;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const auto opening = store.open(folder.path(), fresh);
        ours.push_back(msSince(timer));
        store.close();
        if (!opening.ok()) {
            out << opening.failure() << '\n';
            return 1;
        }

        QFile::remove(copy);
        QProcess process;
        process.setWorkingDirectory(folder.path());
        timer.start();
        process.start(sqlite3, {storeFile, QStringLiteral("VACUUM INTO 'x.sav'")});
        process.waitForFinished();
        tool.push_back(msSince(timer));
    }
    QFile::remove(copy);

    const double oursMs = median(ours);
    const double toolMs = median(tool);
    out << "store file: " << QFile(storeFile).size() << " bytes, " << rounds << " rounds\n";
    out << "start-up maintenance (compact and open): " << oursMs << " ms (median)\n";
    out << "sqlite3 dock.sav \"VACUUM INTO 'x.sav'\":   " << toolMs << " ms (median)\n";
    out << "ratio: " << oursMs / toolMs << " (goal: at most 1.2)\n";
    return 0;
}
