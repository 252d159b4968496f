#include "Startup.h"

#include "RecipeList.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QPointer>

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
