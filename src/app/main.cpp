#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/TerminationSignals.h"
#include "core/DataFolders.h"
#include "resources/Translations.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // First of all, so that a session ending at any time later still gets the recipes saved.
    const bool signalsCaught = TerminationSignals::install(TerminationSignals::DeadlineSeconds);

    // The command line is answered, and the display looked for, before Qt's window system is
    // started (without a display it would end the program), in the user's language.
    {
        QCoreApplication commandLineOnly(argc, argv);
        Translations::install();
        const CommandLine commandLine(QCoreApplication::arguments());
        if (commandLine.exitStatus())
            return *commandLine.exitStatus();
        if (!DisplayCheck::displayNamed() && !commandLine.namesPlatform()) {
            std::fprintf(stderr, "%s\n", qPrintable(DisplayCheck::noDisplayMessage()));
            return EXIT_FAILURE;
        }
        DisplayCheck::holdMessages();
    }
    QApplication app(argc, argv);
    DisplayCheck::releaseMessages();
    Translations::install();
    if (!signalsCaught)
        qWarning("Larderly cannot catch the signals that end a session; a log-out may lose the last changes.");
    QGuiApplication::setDesktopFileName(DataFolders::applicationId());

    const DataFolders folders(QCoreApplication::applicationDirPath());
    if (!folders.makeRecipeFolder())
        qWarning("Larderly cannot make the folder %s for its recipes.", qPrintable(folders.recipeFolder()));
    Application larderly(folders.recipeFolder(), folders.pdfFolder());
    // Signals that came meanwhile are read now, and from here on also while a start-up message is
    // on view.
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &larderly, &Application::endSession);
    if (!larderly.start())
        return EXIT_SUCCESS; // the recipes are open in another window, which said so, or the session ended
    return app.exec();
}
