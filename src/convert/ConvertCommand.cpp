#include "convert/ConvertCommand.h"

#include "core/DataFolders.h"
#include "core/RuntimeError.h"
#include "resources/AppInfo.h"
#include "store/RecipeBox.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ConvertCommand::ConvertCommand(const QString &programFolder)
    : m_programFolder(programFolder)
{ }

QString ConvertCommand::description() const
{
    return tr("Imports recipes from the files of other recipe programs into the Larderly recipe box, after its last\n"
              "recipe, and exports the box for them.\n"
              "\n"
              "Commands:\n"
              "  import FILE...  adds the recipes of every file, or none when one of them cannot be read\n"
              "  export FILE     writes every recipe of the box to the file\n"
              "\n"
              "Formats (--format, or told by the file's name and what it begins with):\n"
              "  mealmaster  Meal-Master text (.mmf, .mm, .txt): import and export\n"
              "  mxp         MasterCook export text (.mxp, .txt): import\n"
              "  recipeml    RecipeML (.xml, .rml): import\n"
              "  jsonld      schema.org Recipe JSON-LD (.json, .jsonld), or a saved web page holding it\n"
              "              (.html, .htm): import and export\n"
              "\n"
              "The recipes are those Larderly opens, or those of --folder. Nothing is changed while a\n"
              "Larderly window has them open, or while changes of a session that did not end normally wait.");
}

ConvertCommand::Status ConvertCommand::misused(const QString &why)
{
    m_errors
        += programName() + u": " + why + u'\n' + tr("Try '%1 --help' for more information.").arg(programName()) + u'\n';
    return Misused;
}

ConvertCommand::Status ConvertCommand::failed(const QString &why)
{
    m_errors += programName() + u": " + why + u'\n';
    return Failed;
}

ConvertCommand::Status ConvertCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption format({QStringLiteral("f"), QStringLiteral("format")},
                                    tr("The format of the files: mealmaster, mxp, recipeml or jsonld."), tr("format"));
    const QCommandLineOption folder({QStringLiteral("d"), QStringLiteral("folder")},
                                    tr("The folder of the recipes (RECIPES.DAT) instead of Larderly's."), tr("folder"));
    const QCommandLineOption encoding(
        {QStringLiteral("e"), QStringLiteral("encoding")},
        tr("The encoding of Meal-Master and MasterCook files: cp437, windows-1252 or utf-8. By default it is told "
           "from the bytes on import, and is Windows-1252, or UTF-8 for text it cannot hold, on export."),
        tr("encoding"));
    parser.addOptions({format, folder, encoding});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), tr("import or export"), tr("import|export"));
    parser.addPositionalArgument(QStringLiteral("files"), tr("The files to import, or the one to export to."),
                                 tr("FILE..."));

    if (!parser.parse(arguments))
        return misused(parser.errorText());
    if (parser.isSet(help)) {
        // The usage line names the command as it is called, not by the path it was started with.
        m_output = parser.helpText().replace(arguments.value(0), programName());
        return Done;
    }
    if (parser.isSet(version)) {
        m_output = programName() + u' ' + AppInfo::version() + u'\n';
        return Done;
    }
    if (parser.isSet(format)) {
        m_format = RecipeFormat::fromName(parser.value(format));
        if (m_format == RecipeFormat::Unknown)
            return misused(tr("unknown format '%1': mealmaster, mxp, recipeml or jsonld").arg(parser.value(format)));
    }
    if (parser.isSet(encoding) && !ArchiveEncoding::fromName(parser.value(encoding), &m_encoding))
        return misused(tr("unknown encoding '%1': cp437, windows-1252 or utf-8").arg(parser.value(encoding)));

    QStringList files = parser.positionalArguments();
    const QString command = files.isEmpty() ? QString() : files.takeFirst();
    const QString recipeFolder
        = parser.isSet(folder) ? parser.value(folder) : DataFolders(m_programFolder).recipeFolder();
    if (command == u"import") {
        if (files.isEmpty())
            return misused(tr("import needs the files to import"));
        return importFiles(files, recipeFolder, parser.isSet(folder));
    }
    if (command == u"export") {
        if (files.size() != 1)
            return misused(tr("export needs one file to export to"));
        return exportTo(files.first(), recipeFolder);
    }
    return misused(command.isEmpty() ? tr("no command: import or export") : tr("unknown command '%1'").arg(command));
}

QList<Recipe> ConvertCommand::readFile(const QString &name) const
{
    QFile file(name);
    if (QFileInfo(name).isDir())
        throw RuntimeError(RuntimeError::PathFileAccessError);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::PathFileAccessError, tr("cannot be read: %1").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    RecipeFormat::Format format = m_format;
    if (format == RecipeFormat::Unknown)
        format = RecipeFormat::fromFileName(name);
    if (format == RecipeFormat::Unknown)
        format = RecipeFormat::sniff(bytes);
    if (format == RecipeFormat::Unknown) {
        throw RuntimeError(RuntimeError::InvalidFileFormat,
                           tr("not in a format this command reads (if it is one, name it with --format)"));
    }
    return RecipeFormat::read(bytes, format, m_encoding);
}

bool ConvertCommand::open(RecipeBox &box)
{
    const QString folder = nativePath(box.folder());
    QString said;
    switch (box.lock(&said)) {
    case RecipeBox::Locking::Locked:
        break;
    case RecipeBox::Locking::Refused:
        failed(tr("The recipes in %1 are open in a Larderly window. Close it, then try again.").arg(folder));
        return false;
    case RecipeBox::Locking::AskFirst: // nobody here to ask
        failed(tr("The recipes in %1 may be open in Larderly on another computer. Start Larderly, which asks "
                  "whether to open them here, then try again.")
                   .arg(folder));
        return false;
    }
    const QStringList told = box.open();
    for (const QString &message : told)
        m_errors += programName() + u": " + message + u'\n';
    if (box.offersRecovery()) {
        failed(tr("Changes to the recipes in %1 from a Larderly session that did not end normally are waiting. "
                  "Start Larderly to recover or discard them, then try again.")
                   .arg(folder));
        return false;
    }
    if (!box.readWhole()) {
        failed(tr("%1 could not be read whole. Open it in Larderly, which keeps a copy of a damaged file, "
                  "then try again.")
                   .arg(nativePath(box.filePath())));
        return false;
    }
    return true;
}

ConvertCommand::Status ConvertCommand::importFiles(const QStringList &files, const QString &folder, bool folderNamed)
{
    // Larderly's own folder is made at its first start, or here; a folder named is never made.
    if (!QFileInfo(folder).isDir() && (folderNamed || !QDir().mkpath(folder)))
        return failed(tr("There is no folder %1 for the recipes.").arg(nativePath(folder)));
    RecipeBox box(folder);
    if (!open(box))
        return Failed;
    QList<Recipe> imported;
    QStringList problems;
    for (const QString &name : files) {
        try {
            imported += readFile(name);
        } catch (const RuntimeError &error) {
            problems << name + u": " + error.description();
        } catch (const std::bad_alloc &) {
            problems << name + u": " + RuntimeError::standardDescription(RuntimeError::OutOfMemory);
        }
    }
    if (!problems.isEmpty())
        return failed(problems.join(u'\n') + u'\n' + tr("No recipe was imported."));
    const int before = box.list().count().value();
    try {
        box.append(imported);
    } catch (const RuntimeError &) { // past the most a box holds
        return failed(tr("The box holds %1 recipes, and %2 more would pass the 32,767 it can hold. "
                         "No recipe was imported.")
                          .arg(before)
                          .arg(imported.size()));
    }
    QString said;
    const bool saved = box.save(&said);
    if (!saved)
        return failed(tr("%1 could not be saved: %2. It is as it was.").arg(nativePath(box.filePath()), said));
    if (!said.isEmpty()) // where another program's version of the file is kept
        m_errors += programName() + u": " + said + u'\n';
    m_output = tr("Recipes imported: %1. %2 now holds %3.")
                   .arg(imported.size())
                   .arg(nativePath(box.filePath()))
                   .arg(box.list().count().value())
        + u'\n';
    return Done;
}

ConvertCommand::Status ConvertCommand::exportTo(const QString &file, const QString &folder)
{
    const RecipeFormat::Format format = m_format != RecipeFormat::Unknown ? m_format : RecipeFormat::fromFileName(file);
    if (format == RecipeFormat::Unknown)
        return misused(
            tr("the name %1 does not tell the format: name it with --format mealmaster or --format jsonld").arg(file));
    if (!RecipeFormat::canWrite(format))
        return misused(tr("recipes are exported as mealmaster or jsonld, not as %1").arg(RecipeFormat::name(format)));
    RecipeBox box(folder);
    if (!open(box))
        return Failed;
    const RecipeList &list = box.list();
    if (list.count() == 0)
        return failed(tr("There are no recipes in %1 to export.").arg(nativePath(folder)));
    if (QFileInfo(file).absoluteFilePath() == QFileInfo(box.filePath()).absoluteFilePath()
        || (QFileInfo::exists(file)
            && QFileInfo(file).canonicalFilePath() == QFileInfo(box.filePath()).canonicalFilePath()))
        return failed(tr("%1 is the recipe box itself: export to another file.").arg(file));
    QByteArray bytes;
    try {
        bytes = RecipeFormat::write(list, format, m_encoding);
    } catch (const RuntimeError &error) {
        return failed(tr("%1 was not written: %2").arg(file, error.description()));
    }
    // Written whole or not at all, as the recipes are.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return failed(tr("%1 was not written: %2").arg(file, out.errorString()));
    m_output = tr("Recipes exported to %1: %2.").arg(file).arg(list.count().value()) + u'\n';
    return Done;
}
