#include "dialogs/SystemInfoTool.h"

QStringList SystemInfoTool::candidates()
{
    return {QStringLiteral("msinfo32")};
}
