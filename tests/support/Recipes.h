#pragma once

#include "RecipeList.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// Six texts per recipe, recipe after recipe.
using Fields = QStringList;

inline RecipeList listOf(const Fields &fields, int current)
{
    RecipeList list;
    for (int i = 0; i + Recipe::FieldCount <= fields.size(); i += Recipe::FieldCount) {
        list.appendEmpty();
        for (int f = 0; f < Recipe::FieldCount; ++f)
            list.Recipes(list.RecipeCount()).field(f) = fields.at(i + f);
    }
    list.setCurrentRecipe(current);
    return list;
}

// The fields of every recipe, then the current index.
inline Fields fieldsOf(const RecipeList &list)
{
    Fields fields;
    for (int i = 1; i <= list.RecipeCount().value(); ++i) {
        for (int f = 0; f < Recipe::FieldCount; ++f)
            fields << list.Recipes(i).field(f);
    }
    return fields << QString::number(list.CurrentRecipe().value());
}

// Recipes named "<tag> 1" to "<tag> n", each with two lines of directions.
inline RecipeList numbered(int count, int current = 1, const QString &tag = QStringLiteral("Recipe"))
{
    RecipeList list;
    for (int i = 1; i <= count; ++i) {
        list.appendEmpty();
        list.Recipes(i).Name = QStringLiteral("%1 %2").arg(tag).arg(i);
        list.Recipes(i).Directions = QStringLiteral("Step %1\r\nRest").arg(i);
    }
    list.setCurrentRecipe(count ? current : 0);
    return list;
}

// A temporary folder for RECIPES.DAT and the files that appear beside it.
struct Folder
{
    QString path(const QString &name = QStringLiteral("RECIPES.DAT")) const { return dir.filePath(name); }
    void put(const QByteArray &bytes, const QString &name = QStringLiteral("RECIPES.DAT")) const
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QByteArray bytes(const QString &name = QStringLiteral("RECIPES.DAT")) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
};
