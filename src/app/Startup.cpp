#include "Startup.h"

#include "RecipeList.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace {
QPointer<frmMain> theMainWindow;
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

void Startup::Main(const QString &programFolder, const QString &pdfFolder)
{
    auto *splash = new frmSplash;
    splash->showAndPaint();

    theMainWindow = new frmMain(recipes(), programFolder, nullptr, pdfFolder);
    theMainWindow->setAttribute(Qt::WA_DeleteOnClose);
    theMainWindow->Form_Load(); // a load message comes up in front of the splash screen

    delete splash;
    theMainWindow->show();
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
