#include "RecipeList.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RecipeList recipes;
    frmMain window(recipes, QCoreApplication::applicationDirPath());
    window.Form_Load();
    window.show();
    return app.exec();
}
