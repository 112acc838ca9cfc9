// Cold start and idle memory of FragDocker against the smallest Qt Widgets program.
// Runs fd_bench_minimal and fd_bench_fragdocker (beside this program) in turns, each a number
// of times, on the Qt platform of the environment, and prints the medians and their ratios
// (goals: start at most 1.3 times, memory at most 1.3 times the minimal program's):
//   - start: from just before starting the process (so that loading libraries counts) to the
//     first paint of its main window;
//   - memory: VmRSS after a second of idling.
// FragDocker starts from a temporary copy of the application folder of this build whose
// path.ini names the copy's demo game folder; a first untimed start of each program creates the
// settings store and warms the file cache, so every timed start is a normal one.
//   fd_bench_startup [runs]           (default 15; bench/startup.sh runs it offscreen and
//                                      under Xvfb)

#include "StartupProbe.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

struct Sample {
    double startMs = 0;
    double rssKb = 0;
};

bool prepareAppFolder(const QString& folder) {
    std::error_code error;
    std::filesystem::copy(FD_APP_DIR, QFile::encodeName(folder).constData(),
                          std::filesystem::copy_options::recursive, error);
    if (error) {
        std::fprintf(stderr, "cannot copy %s: %s\n", FD_APP_DIR, error.message().c_str());
        return false;
    }
    for (const char* leftover : {"/dock.sav", "/dock.lck", "/path.ini"})
        QFile::remove(folder + QString::fromLatin1(leftover));
    QFile path(folder + QStringLiteral("/path.ini"));
    return path.open(QIODevice::WriteOnly) &&
           path.write(QFile::encodeName(folder + QStringLiteral("/demo/Elite Force\r\n"))) > 0;
}

bool runOnce(const QString& program, const QStringList& arguments, Sample& sample) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const long long startedNs = fd::bench::monotonicNs();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardOutput().constData());
        return false;
    }
    long long paintedNs = 0;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.value(0) == "painted_ns")
            paintedNs = words.value(1).toLongLong();
        else if (words.value(0) == "rss_kb")
            sample.rssKb = words.value(1).toDouble();
    }
    sample.startMs = double(paintedNs - startedNs) / 1e6;
    return paintedNs > 0 && sample.rssKb > 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir folder;
    if (!folder.isValid() || !prepareAppFolder(folder.path()))
        return 1;
    const QString here = QCoreApplication::applicationDirPath();
    const QString minimal = here + QStringLiteral("/fd_bench_minimal");
    const QString fragdocker = here + QStringLiteral("/fd_bench_fragdocker");
    const QStringList fragdockerArguments{folder.path()};

    Sample sample;
    if (!runOnce(minimal, {}, sample) || !runOnce(fragdocker, fragdockerArguments, sample))
        return 1;
    std::vector<double> minimalStart, minimalRss, programStart, programRss;
    for (int i = 0; i < runs; ++i) {
        if (!runOnce(minimal, {}, sample))
            return 1;
        minimalStart.push_back(sample.startMs);
        minimalRss.push_back(sample.rssKb);
        if (!runOnce(fragdocker, fragdockerArguments, sample))
            return 1;
        programStart.push_back(sample.startMs);
        programRss.push_back(sample.rssKb);
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::printf("platform %s, %d runs each, medians\n",
                platform.isEmpty() ? "(default)" : platform.constData(), runs);
    const double ms0 = median(minimalStart), ms1 = median(programStart);
    const double kb0 = median(minimalRss), kb1 = median(programRss);
    std::printf("  start to first paint: minimal %.1f ms, FragDocker %.1f ms, ratio %.2f\n", ms0,
                ms1, ms1 / ms0);
    std::printf("  idle resident memory: minimal %.0f KiB, FragDocker %.0f KiB, ratio %.2f\n", kb0,
                kb1, kb1 / kb0);
    return 0;
}
