// Another program that writes at the worst moment, for tests (LD_PRELOAD): just before this process
// renames a file onto the name LARDERLY_HOOK_NAME, the shell command LARDERLY_HOOK_COMMAND runs, once.
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <string>

namespace {

void runHook(const char *target)
{
    const char *name = std::getenv("LARDERLY_HOOK_NAME");
    const char *command = std::getenv("LARDERLY_HOOK_COMMAND");
    const char *slash = std::strrchr(target, '/');
    if (!name || !command || std::strcmp(slash ? slash + 1 : target, name) != 0)
        return;
    const std::string run = command;
    ::unsetenv("LARDERLY_HOOK_COMMAND"); // once, and not in the command's own renames
    [[maybe_unused]] const int status = std::system(run.c_str());
}

template<typename Function>
Function real(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int rename(const char *from, const char *to)
{
    runHook(to);
    return real<int (*)(const char *, const char *)>("rename")(from, to);
}

extern "C" int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned flags)
{
    runHook(to);
    return real<int (*)(int, const char *, int, const char *, unsigned)>("renameat2")(fromFolder, from, toFolder, to,
                                                                                      flags);
}
