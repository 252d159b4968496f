#include "Startup.h"

#include "MessageBox.h"
#include "RecipeList.h"
#include "RecipeLock.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QDir>
#include <QPointer>

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

bool Startup::Main(const QString &programFolder)
{
    auto lock = std::make_unique<RecipeLock>(programFolder);
    if (lock->lock() == RecipeLock::HeldElsewhere) {
        MessageBox::message(nullptr, QStringLiteral("The recipes in %1 are already open in another Larderly window.")
                                         .arg(QDir::toNativeSeparators(programFolder)));
        return false;
    }

    theLock = std::move(lock);

    auto *splash = new frmSplash;
    splash->showAndPaint();

    theMainWindow = new frmMain(recipes(), programFolder);
    theMainWindow->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(theMainWindow, &QObject::destroyed, [] { theLock.reset(); });
    theMainWindow->Form_Load(); // a load message comes up in front of the splash screen

    delete splash;
    theMainWindow->show();
    return true;
}
