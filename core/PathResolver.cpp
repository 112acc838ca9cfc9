#include "PathResolver.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

namespace fd {

// The folder's entries, read directly: each entry's type comes with its name, so that only links
// and entries of unknown type cost a query of their own.
QList<PathResolver::Entry> PathResolver::readFolder(const QString& folder) {
    QList<PathResolver::Entry> entries;
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target {};
            const QByteArray full = path + '/' + entry->d_name;
            isFolder = ::stat(full.constData(), &target) == 0 && S_ISDIR(target.st_mode);
        }
        entries.append({QFile::decodeName(entry->d_name), isFolder});
    }
    ::closedir(dir);
    return entries;
}

PathResolver::Listing& PathResolver::listing(const QString& folder) {
    auto it = listings_.find(folder);
    if (it != listings_.end())
        return *it;
    Listing listing;
    const QList<Entry> entries = readFolder(folder);
    listing.exact.reserve(entries.size());
    for (const Entry& entry : entries)
        listing.exact.insert(entry.name, entry);
    return *listings_.insert(folder, std::move(listing));
}

// Of names that differ in case only, the first in name order stands for them all.
void PathResolver::indexFolded(Listing& listing) {
    listing.folded.reserve(listing.exact.size());
    for (const Entry& entry : std::as_const(listing.exact)) {
        const QString key = entry.name.toCaseFolded();
        const auto place = listing.folded.find(key);
        if (place == listing.folded.end())
            listing.folded.insert(key, entry);
        else if (entry.name < place->name)
            *place = entry;
    }
    listing.foldedIndexed = true;
}

namespace {
QString joined(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}
} // namespace

std::optional<PathResolver::Entry> PathResolver::lookup(const QString& folder,
                                                        const QString& name) {
    if (name == u'.' || name == QLatin1String(".."))
        return Entry{name, true};
    Listing& entries = listing(folder);
    auto exact = entries.exact.constFind(name);
    if (exact != entries.exact.cend())
        return *exact;
    if (!entries.foldedIndexed)
        indexFolded(entries);
    auto folded = entries.folded.constFind(name.toCaseFolded());
    if (folded != entries.folded.cend())
        return *folded;
    return std::nullopt;
}

// A folder on the way is first asked for by its exact name: one query instead of reading a
// folder that may be large, such as a home folder. A folder already read or asked for answers
// from memory.
std::optional<PathResolver::Entry> PathResolver::exactFolder(const QString& folder,
                                                             const QString& name) {
    if (listings_.contains(folder))
        return std::nullopt;
    const QString path = joined(folder, name);
    if (!exactFolders_.contains(path)) {
        if (!QFileInfo(path).isDir())
            return std::nullopt;
        exactFolders_.insert(path);
    }
    return Entry{name, true};
}

PathResolver::Resolved PathResolver::find(const QString& path) {
    // Start at the root or at the current folder, both folders that exist.
    const bool absolute = path.startsWith(u'/') || path.startsWith(u'\\');
    return findFrom(absolute ? QStringLiteral("/") : QString(), path);
}

// The relative path's components found one by one under `start`, a folder taken to exist.
PathResolver::Resolved PathResolver::findFrom(const QString& start, const QString& relative) {
    QString normal = relative;
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    Resolved result{start, Entry{{}, true}};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        std::optional<Entry> next;
        if (result.entry->isFolder && i + 1 < parts.size())
            next = exactFolder(result.path, parts[i]);
        if (!next && result.entry->isFolder)
            next = lookup(result.path, parts[i]);
        if (!next)
            return {joined(result.path, parts.mid(i).join(u'/')), std::nullopt};
        result.path = joined(result.path, next->name);
        result.entry = next;
    }
    return result;
}

QString PathResolver::resolve(const QString& path) {
    return find(path).path;
}

QString PathResolver::resolveIn(const QString& folder, const QString& relative) {
    return findFrom(folder, relative).path;
}

bool PathResolver::isFile(const QString& path) {
    const Resolved found = find(path);
    return found.entry && !found.entry->isFolder;
}

bool PathResolver::isFileIn(const QString& folder, const QString& relative) {
    const Resolved found = findFrom(folder, relative);
    return found.entry && !found.entry->isFolder;
}

bool PathResolver::isFolder(const QString& path) {
    const Resolved found = find(path);
    return found.entry && found.entry->isFolder;
}

} // namespace fd
