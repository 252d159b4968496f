#include "convert/ConvertCommand.h"
#include "resources/Translations.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Translations::install();
    ConvertCommand command(QCoreApplication::applicationDirPath());
    const int status = command.run(QCoreApplication::arguments());
    std::fputs(command.output().toLocal8Bit().constData(), stdout);
    std::fputs(command.errors().toLocal8Bit().constData(), stderr);
    return status;
}
