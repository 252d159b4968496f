#include "app/Application.h"

#include "app/HandlerGuard.h"
#include "app/MainWindow.h"
#include "app/TerminationSignals.h"
#include "dialogs/FormLayout.h"
#include "dialogs/MessageBox.h"
#include "dialogs/SplashScreen.h"
#include "store/RecipeBox.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcApplication, "larderly.application", QtInfoMsg)

Application::Application(const QString &recipeFolder, const QString &pdfFolder)
    : m_recipeFolder(recipeFolder)
    , m_pdfFolder(pdfFolder)
{ }

Application::~Application()
{
    m_window.reset(); // before the recipes it works on
    MessageBox::setUnattended(false);
}

bool Application::start()
{
    // Message boxes, dialogs and menus are windows of their own and take the application's font,
    // which on a bare system can be any font at all (a monospaced one, even): they get the font
    // the windows are laid out in.
    QApplication::setFont(FormLayout::font());

    m_recipes = std::make_unique<RecipeBox>(m_recipeFolder);
    QString said;
    switch (m_recipes->lock(&said)) {
    case RecipeBox::Locking::Locked:
        break;
    case RecipeBox::Locking::Refused:
        MessageBox::message(nullptr, said);
        return false;
    case RecipeBox::Locking::AskFirst:
        if (!MessageBox::askYesNo(nullptr, said, MessageBox::No) || m_ending)
            return false;
        m_recipes->takeOverLock();
        break;
    }

    {
        SplashScreen splash;
        splash.showAndPaint();
        m_window = std::make_unique<MainWindow>(*m_recipes, nullptr, m_pdfFolder);
        if (m_ending)
            m_window->logic().endSession();
        m_window->loadRecipes(); // a load message comes up in front of the splash screen
    }
    // A session that ended while the recipes were being read (the signal may still wait in its
    // pipe) ends before they are shown: nothing was changed, so nothing is written, and a journal
    // found stays for the next start.
    if (m_ending || TerminationSignals::pending()) {
        m_window.reset();
        return false;
    }
    m_window->show();
    m_shown = true;
    qCDebug(lcApplication) << "the main window is on view";
    return true;
}

void Application::endSession()
{
    if (m_ending)
        return;
    m_ending = true;
    MessageBox::setUnattended(true);
    HandlerGuard::run(nullptr, [this] {
        if (m_window)
            m_window->logic().endSession();
        closeMainWindow();
    });
}

void Application::closeMainWindow()
{
    // A modal dialog or a print in progress has the main window under it on the stack, so the
    // window must not go away now: end the dialog or the print and come back when it is gone.
    QWidget *busy = QApplication::activePopupWidget();
    if (!busy)
        busy = QApplication::activeModalWidget();
    if (busy) {
        busy->close();
        QTimer::singleShot(100, this, [this] { HandlerGuard::run(nullptr, [this] { closeMainWindow(); }); });
        return;
    }
    // During start-up, start() ends the program itself once its message is gone.
    if (m_window && m_shown)
        m_window->close();
}
