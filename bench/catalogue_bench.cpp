// The map catalogue's cost against the plain work it cannot avoid, on a generated catalogue
// of 20,000 installed maps whose folders are spelled in another case on disk than in the
// catalogue ("baseef\maps\..." against "BaseEF/Maps/..."):
//   - LoadMapCatalogue against a loop that reads the file's lines and stats each map file once;
//   - one ShowMapDetails against a plain read of the file's lines.
// Prints the shortest time of each over several runs taken in turns, and their ratios (goals:
// at most 1.0 and 1.1). With `--count <side>` runs only that side once, its instructions
// counted (see Counted.h): load-plain, load, details-plain, details.

#include "Counted.h"
#include "app/Program.h"
#include "catalog/InstalledMaps.h"
#include "catalog/MapCatalogue.h"
#include "catalog/MapDetails.h"
#include "core/Context.h"
#include "core/NullServices.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int maps = 20000;
constexpr int runs = 31;

QString mapName(int i) {
    return QStringLiteral("map%1").arg(i, 5, 10, QLatin1Char('0'));
}

double milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Times {
    double plain, measured;
};

// The shortest milliseconds of each, the two run in turns so that a change of the machine's
// load falls on both alike: the least disturbed run is the closest to the work's own cost.
// `prepare` runs untimed before each measured run.
Times compare(const std::function<void()>& plain, const std::function<void()>& measured,
              const std::function<void()>& prepare) {
    std::vector<double> plainTimes, measuredTimes;
    for (int run = 0; run < runs; ++run) {
        plainTimes.push_back(milliseconds(plain));
        prepare();
        measuredTimes.push_back(milliseconds(measured));
    }
    return {*std::min_element(plainTimes.begin(), plainTimes.end()),
            *std::min_element(measuredTimes.begin(), measuredTimes.end())};
}

// The generated catalogue and game folder in a temporary application folder; returns the
// catalogue's path.
QString makeCatalogue(const QString& appFolder, const QString& onDisk) {
    QDir().mkpath(onDisk);
    QDir().mkpath(appFolder + QStringLiteral("/map_images"));
    QFile(appFolder + QStringLiteral("/map_images/last.jpg")).open(QIODevice::WriteOnly);
    QStringList catalogue{QStringLiteral("Generated catalogue")};
    for (int i = 0; i < maps; ++i) {
        QFile(onDisk + mapName(i) + QStringLiteral(".pk3")).open(QIODevice::WriteOnly);
        catalogue << QStringLiteral("'------") << QStringLiteral("maps\\") + mapName(i) + ".pk3"
                  << mapName(i) << QStringLiteral("Map number %1").arg(i) << QStringLiteral("2-8")
                  << QString::number(i % 2)
                  << (i == maps - 1 ? QStringLiteral("\\last.jpg") : QStringLiteral("\\x.jpg"));
    }
    const QString path = appFolder + QStringLiteral("/map.ini");
    (void)fd::text::writeLines(path, catalogue); // a benchmark; a failure shows in its figures
    return path;
}

// Runs the named side once, counted (see Counted.h).
int countSide(const std::string& side,
              std::initializer_list<std::pair<const char*, std::function<void()>>> sides) {
    for (const auto& [name, work] : sides)
        if (side == name)
            return fd::bench::countWork(work);
    std::fprintf(stderr, "fd_bench_catalogue: no side %s\n", side.c_str());
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir appDir;
    const QString appFolder = appDir.path();
    const QString game = appFolder + QStringLiteral("/Game Folder");
    const QString onDisk = game + QStringLiteral("/BaseEF/Maps/");
    const QString path = makeCatalogue(appFolder, onDisk);

    fd::NullServices none;
    fd::Program program({none, none, none, none}, appFolder);
    fd::FormModel& form = program.form;
    fd::Context& ctx = program.ctx;
    form.setText(fd::ctl::frmGamePath::txtGamePath, game);

    // The plain loop: the file's lines, and one stat of each map file by its name on disk.
    int found = 0;
    const auto loadPlain = [&] {
        const std::optional<QStringList> lines = fd::text::readLines(path);
        found = 0;
        struct stat info;
        for (qsizetype i = 0; i + 1 < lines->size(); ++i)
            if (lines->at(i).startsWith(QStringLiteral("'------")) &&
                ::stat(QFile::encodeName(onDisk + lines->at(i + 1).sliced(5)).constData(), &info) ==
                    0)
                ++found;
    };
    const auto load = [&] { fd::LoadMapCatalogue(ctx, path); };
    qsizetype lineCount = 0;
    const auto detailsPlain = [&] { lineCount = fd::text::readLines(path)->size(); };
    const auto details = [&] { fd::ShowMapDetails(ctx, path, mapName(maps - 1)); };

    if (const std::optional<std::string> side = fd::bench::countedSide(argc, argv))
        return countSide(*side, {{"load-plain", loadPlain},
                                 {"load", load},
                                 {"details-plain", detailsPlain},
                                 {"details", details}});
    const Times loadTimes = compare(loadPlain, load, [&] { form.clear(fd::ctl::List1); });
    if (found != maps || form.count(fd::ctl::List1) != maps) {
        std::fprintf(stderr, "fd_bench_catalogue: found %d and listed %d of %d maps\n", found,
                     form.count(fd::ctl::List1), maps);
        return 1;
    }
    const Times detailsTimes =
        compare(detailsPlain, details, [&] { form.setText(fd::ctl::txtMapName, QString()); });
    if (form.text(fd::ctl::txtMapName) != QStringLiteral("Map number %1").arg(maps - 1)) {
        std::fprintf(stderr, "fd_bench_catalogue: the last map was not found\n");
        return 1;
    }

    std::printf("catalogue: %d installed maps, %lld lines; shortest of %d alternated runs\n", maps,
                static_cast<long long>(lineCount), runs);
    std::printf("LoadMapCatalogue  %8.2f ms   plain lines + stat %8.2f ms   ratio %.2f\n",
                loadTimes.measured, loadTimes.plain, loadTimes.measured / loadTimes.plain);
    std::printf("ShowMapDetails    %8.2f ms   plain lines        %8.2f ms   ratio %.2f\n",
                detailsTimes.measured, detailsTimes.plain,
                detailsTimes.measured / detailsTimes.plain);
    return 0;
}
