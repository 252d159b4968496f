// Preloaded into a program (LD_PRELOAD), records what it does to the files under some folders, for CrashLog to build
// the states a power cut could leave. FSREC_LOG names the log, FSREC_ROOTS the folders (colon-separated); writes to
// FSREC_MARKS are recorded as writes to the node "marks"; calls of other threads than the main one wait FSREC_LAG ms
// first, as they may on a busy machine. A record a line, a WRITE's followed by its bytes and "\n"; a node is
// dev:ino, a name is percent-encoded:
//   ENTRY node dir name f|d: what the folders held at the start, each root named by its index in "top"
//   CREATE node dir name f|d | LINK|UNLINK node dir name | RENAME node dir name todir toname flags
//   TMPFILE node | WRITE node offset length | TRUNCATE node length | SYNC node
//   UNKNOWN call path: a change that is not followed, which refuses the log
// A call is recorded once it succeeded, under one lock with the call: in the order the calls completed. A
// descriptor's file is known by /proc/self/fd, so copies and closes of descriptors need nothing. Intercepted are the
// calls that change files which the program and Qt import (nm -D --undefined-only) but those of modes, owners or
// times (fchmod...), which the model leaves out.
#undef _FORTIFY_SOURCE // its inline open() would clash with ours

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <ftw.h>
#include <mutex>
#include <string>
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#define NEXT(fn) reinterpret_cast<decltype(&::fn)>(dlsym(RTLD_NEXT, #fn)) // the call intercepted

namespace {

struct State
{
    std::mutex mutex;
    int log = -1, lag = 0;
    std::vector<std::string> roots;
    std::string marks;
};

State &state()
{
    static State *s = new State; // never destroyed: calls come until the very end
    return *s;
}

// What a call changed, for its record.
struct Change
{
    std::string node, dir, name; // the file or folder; the folder and the name of its entry
    bool made; // by the call
    long result;
    off_t at; // where a write went
};

// A file's node, by its path or its descriptor.
std::string nodeOf(const std::string &path, int fd = -1)
{
    struct stat s = {};
    const bool found = (fd < 0 ? lstat(path.c_str(), &s) : fstat(fd, &s)) == 0;
    return found ? std::to_string(s.st_dev) + ':' + std::to_string(s.st_ino) : "";
}

bool under(const std::string &path)
{
    return std::any_of(state().roots.begin(), state().roots.end(), [&](const std::string &root) {
        return path == root || path.compare(0, root.size() + 1, root + '/') == 0;
    });
}

std::string pathOf(int fd)
{
    char path[4096];
    const ssize_t n = fd < 0 ? -1 : readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path);
    return n > 0 ? std::string(path, size_t(n)) : std::string();
}

void emit(const std::string &record)
{
    const std::string line = record + '\n';
    if (!record.empty() && state().log >= 0
        && NEXT(write)(state().log, line.data(), line.size()) != ssize_t(line.size()))
        state().log = -1; // the log ends in a record cut short, which refuses it
}

std::string encoded(std::string name) // what would end a field or a record
{
    for (size_t at = name.find_first_of(" \n%"); at != std::string::npos; at = name.find_first_of(" \n%", at + 3))
        name.replace(at, 1, name[at] == ' ' ? "%20" : name[at] == '%' ? "%25" : "%0A");
    return name;
}

std::string entry(const char *word, const Change &c)
{
    return word + (' ' + c.node) + ' ' + c.dir + ' ' + encoded(c.name);
}

std::string folderOf(const std::string &path)
{
    return path.substr(0, std::max<size_t>(path.rfind('/'), 1));
}

// A path made absolute against dirfd, its folder resolved.
std::string place(int dirfd, const char *given)
{
    std::string path = given && *given ? given : "";
    if (!path.empty() && path[0] != '/')
        path = (dirfd == AT_FDCWD ? std::string(".") : "/proc/self/fd/" + std::to_string(dirfd)) + '/' + path;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    char folder[4096];
    if (path.empty() || !realpath(folderOf(path).c_str(), folder))
        return {};
    return (strcmp(folder, "/") == 0 ? "" : std::string(folder)) + path.substr(path.rfind('/'));
}

// For the calls not followed: one on a file or a path under the roots refuses the log.
void refuse(const char *call, int fd, const char *path)
{
    if (under(pathOf(fd)) || (path && under(place(AT_FDCWD, path)))) {
        std::lock_guard<std::mutex> lock(state().mutex);
        emit(std::string("UNKNOWN ") + call + ' ' + encoded(path ? path : pathOf(fd)));
    }
}

// Runs a call on a descriptor and, for a file under the roots or the marks, records it after it
// succeeded, with where a write went: on an appending descriptor, to the end.
template<typename Call, typename Record>
auto onFd(int fd, Call call, Record record) -> decltype(call())
{
    const std::string path = pathOf(fd);
    const bool mark = !path.empty() && path == state().marks;
    if (!mark && !under(path))
        return call();
    if (state().lag > 0 && gettid() != getpid())
        usleep(useconds_t(state().lag) * 1000);
    std::lock_guard<std::mutex> lock(state().mutex);
    struct stat s = {};
    const off_t at = (fcntl(fd, F_GETFL) & O_APPEND) && fstat(fd, &s) == 0 ? s.st_size : lseek(fd, 0, SEEK_CUR);
    const auto result = call();
    if (result >= 0)
        emit(record(Change{mark ? "marks" : nodeOf({}, fd), {}, {}, false, long(result), at}));
    return result;
}

// Runs a call on a path and, if it is under the roots, records it after it succeeded, with the node
// there before the call, or else after it.
template<typename Call, typename Record>
int onPath(const std::string &path, Call call, Record record)
{
    if (!under(path))
        return call();
    std::lock_guard<std::mutex> lock(state().mutex);
    const std::string before = nodeOf(path), dir = nodeOf(folderOf(path)), name = path.substr(path.rfind('/') + 1);
    const int result = call();
    if (result >= 0)
        emit(record(Change{before.empty() ? nodeOf(path) : before, dir, name, before.empty(), result, 0}));
    return result;
}

std::string opening(const Change &c, int flags)
{
    if ((flags & O_TMPFILE) == O_TMPFILE)
        return "TMPFILE " + nodeOf({}, int(c.result));
    return c.made ? entry("CREATE", c) + " f" : flags & O_TRUNC ? "TRUNCATE " + c.node + " 0" : "";
}

int listed(const char *path, const struct stat *s, int, struct FTW *at)
{
    const std::string p = path, index = std::to_string(state().roots.size() - 1);
    const bool root = at->level == 0;
    const Change c{nodeOf(p), root ? "top" : nodeOf(folderOf(p)), root ? index : p.substr(size_t(at->base)), 0, 0, 0};
    emit(entry("ENTRY", c) + (S_ISDIR(s->st_mode) ? " d" : " f"));
    return 0;
}

__attribute__((constructor)) void start()
{
    const char *log = getenv("FSREC_LOG"), *roots = getenv("FSREC_ROOTS"), *lag = getenv("FSREC_LAG");
    State &s = state();
    struct stat logged = {};
    if (!log || !roots || (s.log = NEXT(open)(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) < 0)
        return;
    s.lag = lag ? atoi(lag) : 0;
    s.marks = getenv("FSREC_MARKS") ? place(AT_FDCWD, getenv("FSREC_MARKS")) : "";
    if (fstat(s.log, &logged) != 0 || logged.st_size > 0) // one program a log, whose start lists the folders
        return emit("UNKNOWN program " + std::to_string(getpid()));
    char path[4096];
    for (const char *root = roots, *end = roots; *end; root = end + 1) {
        end = strchrnul(root, ':');
        s.roots.push_back(realpath(std::string(root, end).c_str(), path) ? path : std::string(root, end));
        nftw(s.roots.back().c_str(), listed, 16, FTW_PHYS);
    }
}

} // namespace

#define SAME(type, fn, params, call) \
    type fn params \
    { \
        return call; \
    }
#define CALL(fn, args) [&] { return NEXT(fn) args; }
#define RECORD(record) [&](const Change &c) { return record; }
// The calls followed, and those refused: on a file (fd) or a path under the roots, these refuse the log.
#define ON_FD(type, fn, params, args, record) SAME(type, fn, params, onFd(fd, CALL(fn, args), RECORD(record)))
#define ON_PATH(fn, at, path, params, args, record) \
    SAME(int, fn, params, onPath(place(at, path), CALL(fn, args), RECORD(record)))
#define REFUSED(type, fn, params, args, fd, path) SAME(type, fn, params, (refuse(#fn, fd, path), NEXT(fn) args))
#define OPEN(fn) \
    int fn(const char *path, int flags, ...) \
    { \
        va_list list; \
        va_start(list, flags); \
        const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(list, mode_t) : 0; \
        va_end(list); \
        return onPath(place(AT_FDCWD, path), CALL(fn, (path, flags, mode)), RECORD(opening(c, flags))); \
    }

extern "C" {
OPEN(open)
OPEN(open64)
ON_FD(ssize_t, write, (int fd, const void *data, size_t n), (fd, data, n),
      c.result == 0 ? ""
                    : "WRITE " + c.node + ' ' + std::to_string(c.at) + ' ' + std::to_string(c.result) + '\n'
              + std::string(static_cast<const char *>(data), size_t(c.result)))
ON_FD(int, ftruncate, (int fd, off_t length), (fd, length), "TRUNCATE " + c.node + ' ' + std::to_string(length))
SAME(int, ftruncate64, (int fd, off64_t length), ftruncate(fd, length))
ON_FD(int, fsync, (int fd), (fd), "SYNC " + c.node)
ON_FD(int, fdatasync, (int fd), (fd), "SYNC " + c.node)
ON_PATH(mkdir, AT_FDCWD, path, (const char *path, mode_t mode), (path, mode), entry("CREATE", c) + " d")
ON_PATH(unlink, AT_FDCWD, path, (const char *path), (path), entry("UNLINK", c))
ON_PATH(rmdir, AT_FDCWD, path, (const char *path), (path), entry("UNLINK", c))
ON_PATH(linkat, toFd, to, (int fromFd, const char *from, int toFd, const char *to, int flags),
        (fromFd, from, toFd, to, flags), entry("LINK", c)) // an O_TMPFILE file gets its name so
SAME(int, link, (const char *from, const char *to), linkat(AT_FDCWD, from, AT_FDCWD, to, 0))
SAME(int, rename, (const char *from, const char *to), renameat2(AT_FDCWD, from, AT_FDCWD, to, 0))

int renameat2(int fromFd, const char *from, int toFd, const char *to, unsigned flags)
{
    const std::string a = place(fromFd, from), b = place(toFd, to);
    const bool followed = under(a) && !(flags & ~unsigned(RENAME_NOREPLACE | (under(b) ? RENAME_EXCHANGE : 0)));
    if (!followed && under(b))
        refuse("renameat2", -1, to);
    const std::string into
        = nodeOf(folderOf(b)) + ' ' + encoded(b.substr(b.rfind('/') + 1)) + ' ' + std::to_string(flags);
    return onPath(a, CALL(renameat2, (fromFd, from, toFd, to, flags)), [&](const Change &c) {
        if (!followed)
            return "UNKNOWN renameat2 " + encoded(a);
        return under(b) ? entry("RENAME", c) + ' ' + into : entry("UNLINK", c); // moved out of sight: gone
    });
}

REFUSED(ssize_t, sendfile, (int fd, int in, off_t *at, size_t n), (fd, in, at, n), fd, nullptr)
REFUSED(void *, mmap64, (void *a, size_t n, int p, int f, int fd, off64_t o), (a, n, p, f, fd, o),
        (p & PROT_WRITE) && (f & MAP_SHARED) ? fd : -1, nullptr) // a mapping that writes to the file
REFUSED(FILE *, fopen, (const char *p, const char *m), (p, m), -1, strpbrk(m, "wa+") ? p : nullptr)
REFUSED(int, truncate64, (const char *p, off64_t n), (p, n), -1, p)
REFUSED(int, symlink, (const char *target, const char *p), (target, p), -1, p)

int ioctl(int fd, unsigned long request, ...) // FICLONE and the like copy into a file
{
    va_list list;
    va_start(list, request);
    void *arg = va_arg(list, void *);
    va_end(list);
    refuse("ioctl", fd, nullptr);
    return NEXT(ioctl)(fd, request, arg);
}
} // extern "C"
