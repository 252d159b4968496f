#include "DataFolders.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(DataFolders::applicationId());

    const DataFolders folders(QCoreApplication::applicationDirPath());
    folders.makeRecipeFolder();
    Startup::Main(folders.recipeFolder(), folders.pdfFolder());
    return app.exec();
}
