#pragma once
// A file replaced whole: the new content is written beside the old file as "<name>.new", every
// byte checked, put on disk, and only then renamed over the old file in one step. A crash or a
// failed write (a full disk, a quota, an I/O error) at any moment leaves the old file or the new
// one, never a part of either.
//
// Never through a planted link: the new file is made afresh (O_CREAT | O_EXCL | O_NOFOLLOW)
// after whatever lay at its name is removed, and takes the name by a rename, so that a symbolic
// link or another file at the name, or at "<name>.new" or "<name>.old", is replaced and never
// written through. The file is private: only its owner may read it (0600), whatever the umask,
// also when it replaces a file that others could read.

#include "Outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace fd {

// Writes what the system still holds of a file or folder to the disk.
Outcome<> syncToDisk(const QString& path);

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
    // costs the system no fresh pages and no freeing of the old ones. Only a regular file of
    // ours with no other name is written over; anything else there is replaced.
    enum class Keep { Nothing, Previous };
    explicit ReplacedFile(const QString& path, Sync sync = Sync::ToDisk, Keep keep = Keep::Nothing);
    ~ReplacedFile(); // the new file goes unless it was put in place
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    // Appends the bytes. A failure stays: nothing more is written, and finish() reports it.
    Outcome<> write(QByteArrayView bytes);
    // Writes the bytes over the whole content so far, which they are at least as long as.
    Outcome<> rewrite(QByteArrayView bytes);
    // The content written so far.
    QByteArray content() const;
    // Puts the new content on disk and closes it.
    Outcome<> finish();
    // Renames the finished new content over the file.
    Outcome<> putInPlace();
    // finish(), then putInPlace().
    Outcome<> commit();

    const QString& path() const { return path_; }
    // Whether something failed already.
    bool failed() const { return failure_.has_value(); }

private:
    Outcome<> writeAt(qint64 offset, QByteArrayView bytes);
    // The failure of the last system call, kept as the first one when it is.
    Outcome<> fail();
    Outcome<> state() const;

    QString path_;
    QString beside_;
    QString previous_;
    int fd_ = -1;
    qint64 size_ = 0;
    Sync sync_;
    Keep keep_;
    std::optional<Failure> failure_;
};

} // namespace fd
