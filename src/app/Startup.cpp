#include "Startup.h"

#include "FormLayout.h"
#include "MessageBox.h"
#include "RecipeList.h"
#include "RecipeLock.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {
QPointer<frmMain> theMainWindow;
std::unique_ptr<RecipeLock> theLock; // held while the main window exists
}

RecipeList &Startup::recipes()
{
    static RecipeList list;
    return list;
}

frmMain *Startup::mainWindow()
{
    return theMainWindow;
}

bool Startup::Main(const QString &recipeFolder, const QString &pdfFolder)
{
    // Message boxes, dialogs and menus are windows of their own and take the application's font,
    // which on a bare system can be any font at all (a monospaced one, even): they get the font
    // the windows are laid out in.
    QApplication::setFont(FormLayout::font());

    auto lock = std::make_unique<RecipeLock>(recipeFolder);
    if (lock->lock() == RecipeLock::HeldElsewhere) {
        MessageBox::message(nullptr, QStringLiteral("The recipes in %1 are already open in another Larderly window.")
                                         .arg(QDir::toNativeSeparators(recipeFolder)));
        return false;
    }

    theLock = std::move(lock);

    auto *splash = new frmSplash;
    splash->showAndPaint();

    theMainWindow = new frmMain(recipes(), recipeFolder, nullptr, pdfFolder);
    theMainWindow->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(theMainWindow, &QObject::destroyed, [] { theLock.reset(); });
    theMainWindow->Form_Load(); // a load message comes up in front of the splash screen

    delete splash;
    theMainWindow->show();
    return true;
}

void Startup::closeMainWindow()
{
    // A modal dialog or a print in progress has the main window under it on the stack, so the
    // window must not go away now: end the dialog or the print and come back when it is gone.
    QWidget *busy = QApplication::activePopupWidget();
    if (!busy)
        busy = QApplication::activeModalWidget();
    if (busy) {
        busy->close();
        QTimer::singleShot(100, &Startup::closeMainWindow);
        return;
    }
    if (theMainWindow)
        theMainWindow->close();
}
