#pragma once
// Finds files without regard to letter case, as the game's own file names are matched
// ("baseef" on disk may be "baseEF"). Each path component is taken as it is when it exists,
// else as the folder entry that equals it ignoring case. Backslashes count as separators.
//
// A resolver caches the folder listings it reads and the folders it finds, so one operation that
// tests thousands of files in one folder lists that folder once and finds it once. Use a new
// resolver for each operation.

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

namespace fd {

class PathResolver {
public:
    PathResolver() = default;
    // Not copied: a copy would share the listings that the last folder points into.
    PathResolver(const PathResolver&) = delete;
    PathResolver& operator=(const PathResolver&) = delete;
    PathResolver(PathResolver&&) = default;
    PathResolver& operator=(PathResolver&&) = default;

    // The path as it exists on disk, or the path as given (with '/' separators) when some
    // component matches nothing.
    QString resolve(const QString& path);
    // The same for a path relative to a folder that is taken as given: only the folder and the
    // folders below it are listed, none above it.
    QString resolveIn(const QString& folder, const QString& relative);
    bool isFile(const QString& path);
    bool isFileIn(const QString& folder, const QString& relative);
    bool isFolder(const QString& path);

private:
    struct Entry {
        QString name;
        bool isFolder = false;
    };
    struct Listing {
        QHash<QString, Entry> exact;
        QHash<QString, Entry> folded; // by case-folded name, made when a name is first missed
    };
    struct Resolved {
        QString path;
        std::optional<Entry> entry; // none when the path does not exist
    };

    static QList<Entry> readFolder(const QString& folder);
    Resolved find(const QString& path);
    Resolved findFrom(const QString& start, const QString& relative);
    const Resolved& folderFrom(const QString& start, QStringView folders);
    Resolved walk(Resolved result, const QStringList& parts);
    bool step(Resolved& result, const QString& part, bool mayBeFile);
    std::optional<Entry> exactFolder(const QString& folder, const QString& name) const;
    std::optional<Entry> lookup(const QString& folder, const QString& name);
    Listing& listing(const QString& folder);
    static void indexFolded(Listing& listing);

    QHash<QString, Listing> listings_;
    QString lastListingFolder_;
    Listing* lastListing_ = nullptr; // of lastListingFolder_, until listings_ changes
    QHash<std::pair<QString, QString>, Resolved> folders_; // by start and relative path
    struct LastFolder {
        QString start, relative; // as the caller gave them
        Resolved found;
    };
    std::optional<LastFolder> lastFolder_;
};

// A file of a folder taken as given, as the disk spells its name (the name as given when no
// entry matches): one lookup with a resolver of its own.
QString fileIn(const QString& folder, const char* name);

} // namespace fd
