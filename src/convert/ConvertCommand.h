#pragma once

#include "formats/ArchiveEncoding.h"
#include "formats/RecipeFormat.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class RecipeBox;

// larderly-convert: imports the recipes of other programs' files into the recipe box, after its
// last recipe, and exports the box to Meal-Master or JSON-LD. All or nothing: a file that cannot
// be read, or an import that would pass 32,767 recipes, adds no recipe at all.
class ConvertCommand
{
    Q_DECLARE_TR_FUNCTIONS(ConvertCommand)

public:
    enum Status { Done = 0, Failed = 1, Misused = 2 };

    // The program folder is where the command's executable is: the recipe folder is found from
    // it by the rules the program follows.
    explicit ConvertCommand(const QString &programFolder);

    // Runs a command line (the program's name first); what it prints goes to output() and errors().
    Status run(const QStringList &arguments);

    QString output() const { return m_output; }
    QString errors() const { return m_errors; }

    static QString programName() { return QStringLiteral("larderly-convert"); }

private:
    Status misused(const QString &why);
    Status failed(const QString &why);
    // The recipes of a file in the format named or told by its name or contents; raises
    // RuntimeError.
    QList<Recipe> readFile(const QString &name) const;
    Status importFiles(const QStringList &files, const QString &folder, bool folderNamed);
    Status exportTo(const QString &file, const QString &folder);
    // Opens the box on the command's terms: refused (false, said) while a Larderly window may have
    // the recipes open, while a session that ended unsaved waits for its changes to be offered, or
    // when the file could not be read whole.
    bool open(RecipeBox &box);
    QString description() const;

    QString m_programFolder;
    RecipeFormat::Format m_format = RecipeFormat::Unknown;
    ArchiveEncoding::Encoding m_encoding = ArchiveEncoding::Automatic;
    QString m_output;
    QString m_errors;
};
