#include "RunningServers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <arpa/inet.h>

namespace fd::hosting {

namespace {

// The note's file for the address; empty when there is no runtime folder.
QString noteFile(const sockaddr_in& address) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || QDir::isRelativePath(runtime))
        return {};
    char ip[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, ip, sizeof ip);
    return QStringLiteral("%1/fragdocker/server-%2-%3")
        .arg(runtime, QString::fromLatin1(ip))
        .arg(ntohs(address.sin_port));
}

// The starter the note at the address names, when it was written for `store`.
QString notedStarter(const sockaddr_in& address, const QString& store) {
    QFile file(noteFile(address));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.read(64 * 1024)).split(u'\n');
    return lines.size() >= 2 && lines[1] == store ? lines[0] : QString();
}

} // namespace

RunningServerNote::RunningServerNote(const sockaddr_in& address, const QString& starter,
                                     const QString& store) {
    const QString path = noteFile(address);
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return;
    QFile::setPermissions(QFileInfo(path).path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QSaveFile note(path);
    if (note.open(QIODevice::WriteOnly) &&
        note.write((starter + u'\n' + store + u'\n').toUtf8()) != -1 && note.commit())
        file_ = path;
}

RunningServerNote::~RunningServerNote() {
    if (!kept_ && !file_.isEmpty())
        QFile::remove(file_);
}

QString whoServes(const sockaddr_in& address, const QString& store,
                  const std::vector<SlotServerName>& slots, const QString& answeredName) {
    std::vector<const SlotServerName*> named;
    for (const SlotServerName& slot : slots)
        if (slot.serverName == answeredName)
            named.push_back(&slot);
    const QString noted = notedStarter(address, store);
    const bool confirmed =
        std::ranges::any_of(named, [&](const SlotServerName* slot) { return slot->slot == noted; });
    if (!noted.isEmpty() && (confirmed || named.empty()))
        return noted;
    if (named.size() == 1)
        return named.front()->slot;
    return slots.size() == 1 ? slots.front().slot : QString();
}

} // namespace fd::hosting
