#include "resources/Pictures.h"

QIcon Pictures::programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/pictures/icon32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/pictures/icon16.png"), QSize(16, 16));
    return icon;
}

QPixmap Pictures::logo()
{
    return QPixmap(QStringLiteral(":/pictures/logo.png"));
}

QPixmap Pictures::checkerboard()
{
    return QPixmap(QStringLiteral(":/pictures/checkerboard.png"));
}
