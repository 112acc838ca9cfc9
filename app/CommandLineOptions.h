#pragma once
// The command line's own options and what they ask for: the request, or the usage problem
// with them. Qt's own options (-platform, -display, ...) are for the window.

#include "core/Outcome.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace fd {

enum class Action { Engage, Script, List, Status, Export, Import };

struct Request {
    Action action = Action::List;
    QString slot;       // empty for --status of every slot, and for a set-up file
    QString setupFile;  // the set-up file started or asked instead of a slot, or imported
    QString exportFile; // where --export writes; empty for standard output
    QString gameFolder; // null: the one the slot holds
    bool wait = false;

    // What messages name: the slot, or the set-up file's name.
    QString subject() const;
};

struct Options {
    Options();
    QCommandLineOption engage, script, list, status, exportSetup, importSetup, gameFolder, wait;
};

// The parser of this program's own options. A word after a single dash is one option, as
// Qt's own options are written ("-platform", "-reverse"), never a run of one-letter options.
struct OwnOptions {
    OwnOptions();
    QCommandLineParser parser;
    const Options options;
    const QCommandLineOption help;
    const QCommandLineOption version;
};

// The request the parsed options make; a failure is a usage problem, in words.
Outcome<Request> requestFrom(const QCommandLineParser& parser, const Options& options);

} // namespace fd
