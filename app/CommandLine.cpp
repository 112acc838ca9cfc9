#include "CommandLine.h"

#include "CommandLineOptions.h"
#include "HeadlessRun.h"
#include "core/TextFile.h"

#include <algorithm>

namespace fd {

int usageError(const QString& problem) {
    text::print(stderr,
                QStringLiteral("fragdocker: %1\nTry \"fragdocker --help\".\n").arg(problem));
    return exitCode::usage;
}

QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool wantsCommandLine(int argc, char* argv[]) {
    const QStringList arguments = argumentList(argc, argv);
    OwnOptions own;
    own.parser.parse(arguments); // Qt's own options are unknown here, and left to the window
    // Qt's own options take one dash: a word after two is this program's, or a mistake it names.
    return !own.parser.optionNames().isEmpty() ||
           std::any_of(arguments.cbegin() + 1, arguments.cend(),
                       [](const QString& argument) { return argument.startsWith(u"--"); });
}

int runCommandLine(const QStringList& arguments, const AppFolders& appFolders) {
    OwnOptions own;
    QCommandLineParser& parser = own.parser;
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(own.help) || parser.isSet(own.version)) {
        text::print(stdout, parser.isSet(own.help)
                                ? parser.helpText()
                                : QStringLiteral("FragDocker %1\n").arg(FD_VERSION));
        return exitCode::done;
    }
    const Outcome<Request> request = requestFrom(parser, own.options);
    return request.ok() ? runRequest(*request, appFolders) : usageError(request.failure());
}

} // namespace fd
