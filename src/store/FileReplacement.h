#pragma once

#include "store/FileSystem.h"

#include <QFile>
#include <QString>

// A new version of a file, written beside it and put in its place only once it is complete and on
// disk, with the owner, group and mode of the version it replaces. It does what QSaveFile does, with
// one difference: the new file and the old one swap places in one step (RENAME_EXCHANGE), and the
// version that was replaced stays at hand under a temporary name. Whoever replaces a file can so see
// what it replaced, even when another program put it there a moment before, and keep it or put it
// back. Where the file system cannot swap, the new file is renamed over the old one, as QSaveFile does.
//
// A power cut can leave the temporary name behind; leftoverPattern() finds such names.
class FileReplacement
{
public:
    explicit FileReplacement(const QString &path);
    ~FileReplacement(); // removes the new file unless it was put in place

    QString path() const { return m_path; }
    // The names a replacement of `fileName` gives its files beside it.
    static QString leftoverPattern(const QString &fileName);

    // Makes the new, empty file; false with the system's error number in error().
    bool open();
    // Where the new version is written, unbuffered.
    QFile &file() { return m_file; }
    // Makes what was written survive a power cut; the new file's stamp is then known.
    bool sync();
    FileSystem::Stamp stamp() const { return m_stamp; }

    // Puts the new file in the old one's place. What it replaced, if anything, is then at
    // replacedPath(); a caller that keeps it moves it away and flushes the folder (the new file's
    // place is only sure once it has), one that does not calls dropReplaced() or undo().
    bool commit();
    QString replacedPath() const { return m_replaced; }
    // Puts the replaced version back in its place; the new one is removed.
    bool undo();
    bool dropReplaced();

    int error() const { return m_error; }

private:
    bool fail();
    bool link();

    QString m_path;
    QString m_folder;
    QString m_temporary; // the name the new file has beside the old one, if it has one yet
    QString m_replaced;
    QFile m_file;
    int m_fd = -1;
    bool m_committed = false;
    int m_error = 0;
    FileSystem::Stamp m_stamp;
};
