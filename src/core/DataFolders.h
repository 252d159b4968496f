#pragma once

#include <QString>

// Where the program keeps its files. A copy run from anywhere (its build folder, a folder it was
// copied to, a USB stick) keeps RECIPES.DAT and its PDF printouts beside itself. An installed
// program (the executable in the bin folder of a prefix that also holds its AppStream metadata)
// cannot and must not write there, not even when root runs it: it keeps RECIPES.DAT in the
// user's data folder and the printouts in the user's documents folder (or home folder). The
// command-line converter beside it follows the same rules from its own folder.
class DataFolders
{
public:
    explicit DataFolders(const QString &programFolder);

    bool installed() const { return m_installed; }
    QString recipeFolder() const;
    QString pdfFolder() const;

    // Makes the recipe folder when it is missing; false when that fails.
    bool makeRecipeFolder() const;

    // The reverse-DNS name of the desktop entry, the icon and the metadata.
    static QString applicationId();

private:
    QString m_programFolder;
    bool m_installed = false;
};
