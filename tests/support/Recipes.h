#pragma once

#include "core/RuntimeError.h"
#include "store/Checksum.h"
#include "store/RecipeBox.h"
#include "store/RecipeFile.h"
#include "store/RecipeList.h"
#include "store/journal/JournalFile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

// The error `body` raises as "number description (source)", "none" for none.
template<typename Body>
QString raised(Body body)
{
    try {
        body();
    } catch (const RuntimeError &error) {
        return QStringLiteral("%1 %2 (%3)").arg(error.number()).arg(error.description(), error.source());
    }
    return "none";
}

// A disk that fills once a file reaches `size` bytes: the file size limit of the process, until the
// guard goes. It says EFBIG, not ENOSPC.
inline auto fillDiskAt(rlim_t size)
{
    std::signal(SIGXFSZ, SIG_IGN); // EFBIG from write() instead of a kill
    rlimit room{};
    ::getrlimit(RLIMIT_FSIZE, &room);
    const rlimit full{size, room.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &full);
    return qScopeGuard([room] { ::setrlimit(RLIMIT_FSIZE, &room); });
}

// The fields of each recipe, recipe after recipe; fieldsOf adds the current index at the end.
using Fields = QStringList;

inline RecipeList listOf(const Fields &fields, int current)
{
    RecipeList list;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i % Recipe::FieldCount == 0)
            list.appendEmpty();
        list.at(list.count()).field(int(i % Recipe::FieldCount)) = fields[i];
    }
    list.setCurrent(current);
    return list;
}

inline Fields fieldsOf(const RecipeList &list)
{
    Fields fields;
    for (int i = 1; i <= list.count().value() * Recipe::FieldCount; ++i)
        fields << list.at((i + 5) / 6).field((i - 1) % 6);
    return fields << QString::number(list.current().value());
}

// A short fingerprint of the recipes and the current index.
inline QByteArray digestOf(const RecipeList &list)
{
    return QByteArray::number(Checksum::crc32(fieldsOf(list).join(u'\x1f').toUtf8()));
}

// Recipes "<tag> 1" to "<tag> n", each with the directions "Step n", a line break and "Rest".
inline RecipeList numbered(int count, int current = 1, const QString &tag = "Recipe")
{
    RecipeList list;
    for (int i = 1; i <= count; ++i) {
        list.appendEmpty();
        list.at(i).name = QStringLiteral("%1 %2").arg(tag).arg(i);
        list.at(i).directions = QStringLiteral("Step %1\r\nRest").arg(i);
    }
    list.setCurrent(count ? current : 0);
    return list;
}

// A session over the recipes of a folder that stored `recipe` as the one on screen and was killed.
inline bool killedAfterTyping(const QString &folder, const Recipe &recipe)
{
    RecipeBox session(folder);
    session.open();
    session.store(recipe);
    QString where;
    return session.keepForNextStart(&where);
}

// A temporary folder for RECIPES.DAT and the files that appear beside it.
struct Folder
{
    QString path(const QString &name = "RECIPES.DAT") const { return QDir(dir.path()).filePath(name); }
    void put(const QByteArray &bytes, const QString &name = "RECIPES.DAT") const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly) && file.write(bytes);
    }
    QByteArray bytes(const QString &name = "RECIPES.DAT") const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    // RECIPES.DAT with the changes of RECIPES.JNL, as the next start would offer them.
    RecipeList journaled() const
    {
        RecipeList list;
        try {
            RecipeFile::read(path(), list);
        } catch (const RuntimeError &) { // what was read before the damage, as a start would have it
        }
        JournalFile::replay(JournalFile::read(path("RECIPES.JNL")).entries, list);
        return list;
    }
    QTemporaryDir dir;
};
