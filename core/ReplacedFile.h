#pragma once
// A file replaced whole: the new content is written beside the old file as "<name>.new", every
// byte checked, put on disk, and only then renamed over the old file in one step. A crash or a
// failed write (a full disk, a quota, an I/O error) at any moment leaves the old file or the new
// one, never a part of either.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace fd {

// Writes what the system still holds of a file or folder to the disk.
bool syncToDisk(const QString& path);

class ReplacedFile {
public:
    // The file beside the one at `path` that its new content goes to until it is put in place.
    static QString besidePath(const QString& path);

    // Synced: the new content is on disk before it takes the name, so that not even a power
    // loss can leave the name on an empty file. Unsynced, the new file survives a crash of the
    // program but is left to the system to write out.
    enum class Sync { ToDisk, Later };
    // Previous: the replaced content is kept beside as "<name>.old", and the next replacement is
    // written over it rather than into a new file, so that a large file written again and again
    // costs the system no fresh pages and no freeing of the old ones.
    enum class Keep { Nothing, Previous };
    explicit ReplacedFile(const QString& path, Sync sync = Sync::ToDisk, Keep keep = Keep::Nothing);
    ~ReplacedFile(); // the new file goes unless it was put in place
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    // Appends the bytes; false after a failure.
    bool write(QByteArrayView bytes);
    // Writes the bytes over the whole content so far, which they are at least as long as.
    bool rewrite(QByteArrayView bytes);
    // The content written so far.
    QByteArray content() const;
    // Puts the new content on disk and closes it; false after a failure.
    bool finish();
    // Renames the finished new content over the file; false after a failure.
    bool putInPlace();
    // finish(), then putInPlace(); empty text, or what failed.
    QString commit();

    const QString& path() const { return path_; }
    // Empty text, or the first thing that failed, naming the file and the reason.
    const QString& error() const { return error_; }

private:
    bool writeAt(qint64 offset, QByteArrayView bytes);
    bool fail();

    QString path_;
    QString beside_;
    QString previous_;
    int fd_ = -1;
    qint64 size_ = 0;
    Sync sync_;
    Keep keep_;
    bool placed_ = false;
    QString error_;
};

} // namespace fd
