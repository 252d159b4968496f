#pragma once

#include <QObject>
#include <QString>

#include <memory>

class MainWindow;
class RecipeBox;

// The program while it runs: the recipes of its folder and the main window that shows them, from
// the start to the end. (Modelled on Zeal's Core::Application, the one owner of the services.)
class Application : public QObject
{
    Q_OBJECT

public:
    // The recipes are read from `recipeFolder`; printouts kept as PDF files go to `pdfFolder`, by
    // default the recipe folder.
    explicit Application(const QString &recipeFolder, const QString &pdfFolder = QString());
    ~Application() override;

    // Shows the splash screen, loads the main window hidden behind it (which reads the recipes),
    // closes the splash screen and shows the main window. False when the program is to end now:
    // the recipes are open in another Larderly window (which is said, and nothing is read), or
    // the session ended meanwhile (nothing is changed).
    bool start();

    // The desktop session is ending (a termination signal): nobody is asked anything from now on,
    // messages on view are closed, and the program ends; during start-up without touching the
    // recipes, afterwards by closing the main window as its close box does, which saves.
    void endSession();

    MainWindow *mainWindow() const { return m_window.get(); }

private:
    // Closes the main window once no dialog, menu or print runs over it; those are ended first.
    void closeMainWindow();

    const QString m_recipeFolder;
    const QString m_pdfFolder;
    std::unique_ptr<RecipeBox> m_recipes; // outlives the window, which works on it
    std::unique_ptr<MainWindow> m_window;
    bool m_shown = false;
    bool m_ending = false;
};
