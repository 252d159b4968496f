#pragma once

#include <QString>
#include <QtGlobal>

// The file-system calls the store needs beyond QFile: flushing to the disk what a power cut would
// otherwise lose, keeping a replaced file's owner, and marking a file as in use by this process.
// Failures are logged; the functions say whether they succeeded.
namespace FileSystem {

// What tells one version of a file from another without reading it: a program that writes a new
// version gives it a new inode or a new modification time.
struct Stamp
{
    qint64 device = -1;
    qint64 inode = -1; // -1: no file
    qint64 size = -1;
    qint64 modified = -1; // nanoseconds since the epoch

    bool exists() const { return inode >= 0; }
    friend bool operator==(const Stamp &a, const Stamp &b)
    {
        return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified == b.modified;
    }
    friend bool operator!=(const Stamp &a, const Stamp &b) { return !(a == b); }
};
Stamp stampOf(const QString &path);
Stamp stampOf(int fd);

// Makes the renames, creations and removals in a folder survive a power cut.
bool syncFolder(const QString &folder);
// Makes the folder and those above it that are missing, each made to survive a power cut.
bool makeFolder(const QString &path);
// Makes the bytes written to an open file survive a power cut (fdatasync).
bool syncData(int fd);
// Gives the file open as `fd` the owner and group of `replaced`, as far as the process may: a file
// saved by root stays the user's, and a user in the file's group keeps that group.
void keepOwner(int fd, const QString &replaced);

// Moves the file at `from` to `to`, a name that must be free (an existing file there is never
// replaced), with the permissions any new file of the user gets, which `from` (a temporary file,
// owner-only) may lack. Taken when the name is not free; `error` gets the system's error number.
enum class NewName { Moved, Taken, Failed };
NewName moveToNewName(const QString &from, const QString &to, int *error);

// Locks the folder for as long as `fd` stays open, which the system ends with the process.
enum class FolderLock { Locked, Held, Unavailable };
FolderLock lockFolder(const QString &folder, int *fd);
void unlockFolder(int fd);

// Marks the open file as in use by this process for as long as it stays open (an advisory lock,
// which the system drops when the process ends, however it ends).
bool markInUse(int fd);
// True while another open file, of this process or another, has marked the file at `path` in use.
bool inUseElsewhere(const QString &path);

} // namespace FileSystem
