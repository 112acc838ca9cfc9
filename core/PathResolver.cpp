#include "PathResolver.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

namespace fd {

namespace {
// A file name's bytes as text: ASCII, as most names are, by the quickest way.
QString nameOf(std::string_view bytes) {
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; });
    return ascii ? QString::fromLatin1(bytes.data(), qsizetype(bytes.size()))
                 : QFile::decodeName(bytes.data());
}
} // namespace

// The folder's entries, read directly: each entry's type comes with its name, so that only links
// and entries of unknown type cost a query of their own.
QList<PathResolver::Entry> PathResolver::readFolder(const QString& folder) {
    QList<PathResolver::Entry> entries;
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name); // "." and "..", too: lookup() answers them
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target {};
            const QByteArray full = path + '/' + entry->d_name;
            isFolder = ::stat(full.constData(), &target) == 0 && S_ISDIR(target.st_mode);
        }
        entries.append({nameOf(name), isFolder});
    }
    ::closedir(dir);
    return entries;
}

// The folder asked for last answers without hashing its path again: a run of names in one
// folder asks for the same one each time.
PathResolver::Listing& PathResolver::listing(const QString& folder) {
    if (lastListing_ && lastListingFolder_ == folder)
        return *lastListing_;
    auto it = listings_.find(folder);
    if (it == listings_.end()) {
        Listing listing;
        const QList<Entry> entries = readFolder(folder);
        listing.exact.reserve(entries.size());
        for (const Entry& entry : entries)
            listing.exact.insert(entry.name, entry);
        it = listings_.insert(folder, std::move(listing)); // may move the other listings
    }
    lastListingFolder_ = folder;
    lastListing_ = &*it;
    return *it;
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
    if (entries.folded.isEmpty()) // not made yet, or a folder that could not be read
        indexFolded(entries);
    auto folded = entries.folded.constFind(name.toCaseFolded());
    if (folded != entries.folded.cend())
        return *folded;
    return std::nullopt;
}

// A folder on the way is first asked for by its exact name: one query instead of reading a
// folder that may be large, such as a home folder. A folder already read answers from memory.
std::optional<PathResolver::Entry> PathResolver::exactFolder(const QString& folder,
                                                             const QString& name) const {
    if (listings_.contains(folder) || !QFileInfo(joined(folder, name)).isDir())
        return std::nullopt;
    return Entry{name, true};
}

PathResolver::Resolved PathResolver::find(const QString& path) {
    // Start at the root or at the current folder, both folders that exist.
    const bool absolute = path.startsWith(u'/') || path.startsWith(u'\\');
    return findFrom(absolute ? QStringLiteral("/") : QString(), path);
}

namespace {
// A relative path cut at its last separator: the folders on the way, and the name of the last
// part read in place (no copy). A path that ends in a separator has an empty name: it is its
// folders.
std::pair<QStringView, QString> cutAtName(const QString& relative) {
    const QStringView path(relative);
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return {path.first(std::max<qsizetype>(cut, 0)),
            QString::fromRawData(path.constData() + cut + 1, path.size() - cut - 1)};
}
} // namespace

// The folders of a relative path found under `start`, a folder taken to exist. They are found
// once per resolver, so that many files in one folder cost one walk to it; the folder of the
// previous call is kept at hand, so that a run of files in one folder costs no hashing of it.
const PathResolver::Resolved& PathResolver::folderFrom(const QString& start, QStringView folders) {
    if (lastFolder_ && lastFolder_->start == start && lastFolder_->relative == folders)
        return lastFolder_->found;
    QString normal = folders.toString();
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    const std::pair<QString, QString> key{start, parts.join(u'/')};
    auto folder = folders_.constFind(key);
    if (folder == folders_.cend())
        folder = folders_.insert(key, walk({start, Entry{{}, true}}, parts));
    lastFolder_ = LastFolder{start, folders.toString(), *folder};
    return lastFolder_->found;
}

// The relative path's components found one by one under `start`, a folder taken to exist.
PathResolver::Resolved PathResolver::findFrom(const QString& start, const QString& relative) {
    const auto [folders, name] = cutAtName(relative);
    Resolved result = folderFrom(start, folders);
    if (!name.isEmpty() && !step(result, name, true))
        return {joined(result.path, name), std::nullopt};
    return result;
}

// The part found in the folder of `result`, which then names it; false when it is not there.
// Only the last part of a path, when `mayBeFile`, skips the query of a folder by its exact name.
bool PathResolver::step(Resolved& result, const QString& part, bool mayBeFile) {
    if (!result.entry || !result.entry->isFolder)
        return false;
    std::optional<Entry> next = mayBeFile ? std::nullopt : exactFolder(result.path, part);
    if (!next)
        next = lookup(result.path, part);
    if (!next)
        return false;
    result.path = joined(result.path, next->name);
    result.entry = next;
    return true;
}

// The folders of `parts` found one by one from `result`.
PathResolver::Resolved PathResolver::walk(Resolved result, const QStringList& parts) {
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!step(result, parts[i], false))
            return {joined(result.path, parts.mid(i).join(u'/')), std::nullopt};
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

// The same as findFrom, without putting the path together.
bool PathResolver::isFileIn(const QString& folder, const QString& relative) {
    const auto [folders, name] = cutAtName(relative);
    const Resolved& in = folderFrom(folder, folders);
    if (name.isEmpty() || !in.entry || !in.entry->isFolder)
        return false;
    const std::optional<Entry> found = lookup(in.path, name);
    return found && !found->isFolder;
}

QString fileIn(const QString& folder, const char* name) {
    return PathResolver().resolveIn(folder, QString::fromLatin1(name));
}

bool PathResolver::isFolder(const QString& path) {
    const Resolved found = find(path);
    return found.entry && found.entry->isFolder;
}

} // namespace fd
