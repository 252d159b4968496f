#include "Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!Startup::Main(QCoreApplication::applicationDirPath()))
        return 0;
    return app.exec();
}
