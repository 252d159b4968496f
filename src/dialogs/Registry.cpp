#include "dialogs/Registry.h"

#ifdef Q_OS_WIN
#include "dialogs/WindowsRegistry.h"
#else
#include "dialogs/ToolRegistry.h"
#endif

Registry &Registry::system()
{
#ifdef Q_OS_WIN
    static WindowsRegistry registry;
#else
    static ToolRegistry registry;
#endif
    return registry;
}
