#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>

// Keeps a second copy of the program away from the recipes of a folder while one has them open.
// Two locks do it: the folder itself, locked for as long as the process runs (the system drops
// that lock whenever the process ends, so a program that crashed or was killed keeps nobody out),
// which covers every program on this computer; and RECIPES.LCK beside RECIPES.DAT (a QLockFile),
// which names the process and the computer, for another computer that shares the folder. A lock
// file whose owner is gone never keeps anyone out, even where it cannot be removed; one naming
// another computer is only taken over when the user says so.
class RecipeLock
{
public:
    enum Result {
        Locked, // no other program has them open (which may mean no lock file could be made)
        HeldHere, // another program on this computer has them open
        HeldElsewhere, // RECIPES.LCK names another computer, which may have them open
    };

    static QString fileName() { return QStringLiteral("RECIPES.LCK"); }

    explicit RecipeLock(const QString &folder);
    ~RecipeLock();

    Result lock();
    // After HeldElsewhere, once the user chose to open the recipes all the same.
    void takeOver();

    QString path() const { return m_path; }
    // What RECIPES.LCK says of the other computer, after HeldElsewhere.
    QString otherHost() const { return m_otherHost; }
    QDateTime otherSince() const { return m_otherSince; }

private:
    QString m_path;
    QString m_folder;
    QLockFile m_file;
    int m_folderLock = -1;
    QString m_otherHost;
    QDateTime m_otherSince;
};
