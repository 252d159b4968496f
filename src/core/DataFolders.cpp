#include "core/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

DataFolders::DataFolders(const QString &programFolder)
    : m_programFolder(programFolder)
{
    // Recognised by the layout the install step makes around the program, so that any prefix
    // and the package count, while a copy of the executable alone does not.
    const QDir folder(programFolder);
    m_installed = folder.dirName() == QStringLiteral(LARDERLY_INSTALL_BINDIR_NAME)
        && QFileInfo::exists(folder.filePath(QStringLiteral(LARDERLY_INSTALL_BIN_TO_METAINFO "/") + applicationId()
                                             + QStringLiteral(".metainfo.xml")));
}

QString DataFolders::applicationId()
{
    return QStringLiteral(LARDERLY_APPLICATION_ID);
}

QString DataFolders::recipeFolder() const
{
    if (!m_installed)
        return m_programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/larderly");
}

QString DataFolders::pdfFolder() const
{
    if (!m_installed)
        return m_programFolder;
    // Without a documents folder (no desktop has made one yet) the home folder takes its place.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool DataFolders::makeRecipeFolder() const
{
    return QDir().mkpath(recipeFolder());
}
