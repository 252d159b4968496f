#include "Registry.h"

#ifdef Q_OS_WIN
#include "WindowsRegistry.h"
#else
#include "ToolRegistry.h"
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
