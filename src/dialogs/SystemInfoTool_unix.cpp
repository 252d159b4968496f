#include "dialogs/SystemInfoTool.h"

QStringList SystemInfoTool::candidates()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2"), QStringLiteral("kinfocenter")};
}
