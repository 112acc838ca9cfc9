// The store's start-up maintenance (leftovers, the check, opening; a store as a start leaves it
// has no free pages, so it is not compacted again) against the sqlite3 command-line tool's own
// compaction of the same file:
//     sqlite3 dock.sav "VACUUM INTO 'x.sav'"
// Prints the shortest time of each over many runs taken in turns and their ratio (goal: at
// most 1.0). With `--count maintenance` or `--count vacuum` runs only that side once, its
// instructions counted (Counted.h); the vacuum side then runs the same statement through the
// SQLite library in this process, without the tool's own start.

#include "Counted.h"
#include "store/SettingsStore.h"
#include "store/SlotRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int rounds = 41;

double shortest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// The tool's compaction of the store file into x.sav beside it, through the library.
void vacuumInto(const QString& storeFile) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(storeFile).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "VACUUM INTO 'x.sav'", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// The tool's compaction of the store file, as a user would run it, in milliseconds.
double timeTool(const QString& sqliteTool, const QString& storeFile) {
    const QString copy = QFileInfo(storeFile).dir().filePath(QStringLiteral("x.sav"));
    QFile::remove(copy);
    QProcess process;
    process.setWorkingDirectory(QFileInfo(storeFile).path());
    QElapsedTimer timer;
    timer.start();
    process.start(sqliteTool, {storeFile, QStringLiteral("VACUUM INTO 'x.sav'")});
    process.waitForFinished();
    const double ms = msSince(timer);
    QFile::remove(copy);
    return ms;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString sqliteTool = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqliteTool.isEmpty()) {
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
    if (const std::optional<std::string> side = fd::bench::countedSide(argc, argv)) {
        QDir::setCurrent(folder.path());
        if (*side == "vacuum")
            return fd::bench::countWork([&] { vacuumInto(storeFile); });
        if (*side == "maintenance")
            return fd::bench::countWork( // it opened above; only its work is counted
                [&] { (void)store.open(folder.path(), fresh); });
        return 2;
    }

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
        tool.push_back(timeTool(sqliteTool, storeFile));
    }

    const double oursMs = shortest(ours);
    const double toolMs = shortest(tool);
    out << "store file: " << QFile(storeFile).size() << " bytes, " << rounds << " rounds\n";
    out << "start-up maintenance (check and open):   " << oursMs << " ms (shortest)\n";
    out << "sqlite3 dock.sav \"VACUUM INTO 'x.sav'\":   " << toolMs << " ms (shortest)\n";
    out << "ratio: " << oursMs / toolMs << " (goal: at most 1.0)\n";
    return 0;
}
