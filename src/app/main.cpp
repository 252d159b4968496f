#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::Main(QCoreApplication::applicationDirPath());
    return app.exec();
}
