#pragma once
// Which save slot (or set-up file) started the server that listens at an address, for as long
// as it runs. Seven slots share the engine's port 27960 unless set, often with the same server
// name, so the server's answer alone cannot tell them apart. So the command line's ENGAGE
// leaves a note in the user's runtime folder ($XDG_RUNTIME_DIR/fragdocker, none when it is not
// set), one small file per address, naming what it started and from which settings store. A
// note is believed only while a server answers there, and not when another slot's server name
// is the one that answers: a note left by a server that ended, or a server started from the
// window, misleads no one.

#include <QString>

#include <vector>

#include <netinet/in.h>

namespace fd::hosting {

// The note that `starter` started a server at `address` from the settings store `store`:
// written when made, and taken away again when destroyed, unless kept for a server that runs
// on after this program ends. A note that cannot be written is left out: it only helps
// --status tell slots apart.
class RunningServerNote {
public:
    RunningServerNote(const sockaddr_in& address, const QString& starter, const QString& store);
    ~RunningServerNote();
    RunningServerNote(const RunningServerNote&) = delete;
    RunningServerNote& operator=(const RunningServerNote&) = delete;
    void keep() { kept_ = true; }

private:
    QString file_;
    bool kept_ = false;
};

struct SlotServerName {
    QString slot;
    QString serverName; // as the slot sets it, colour codes and all
};

// Which of `slots`, all listening at `address`, started the server that answers there as
// `answeredName`: the starter noted for the store (a slot, or a set-up file), else the only
// slot with that server name, else the only slot; empty when it cannot be told.
QString whoServes(const sockaddr_in& address, const QString& store,
                  const std::vector<SlotServerName>& slots, const QString& answeredName);

} // namespace fd::hosting
