#include "CommandLine.h"
#include "DataFolders.h"
#include "DisplayCheck.h"
#include "Startup.h"
#include "TerminationSignals.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // First of all, so that a session ending at any time later still gets the recipes saved.
    TerminationSignals::install();

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine(arguments);
    if (commandLine.exitStatus())
        return *commandLine.exitStatus();
    if (!DisplayCheck::displayNamed() && !commandLine.namesPlatform()) {
        std::fprintf(stderr, "%s\n", qPrintable(DisplayCheck::noDisplayMessage()));
        return EXIT_FAILURE;
    }

    DisplayCheck::holdMessages();
    QApplication app(argc, argv);
    DisplayCheck::releaseMessages();
    QGuiApplication::setDesktopFileName(DataFolders::applicationId());

    const DataFolders folders(QCoreApplication::applicationDirPath());
    folders.makeRecipeFolder();
    if (!Startup::Main(folders.recipeFolder(), folders.pdfFolder()))
        return EXIT_SUCCESS; // the recipes are open in another window, which said so

    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &Startup::closeMainWindow);
    return app.exec();
}
