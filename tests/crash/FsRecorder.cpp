// Preloaded into a program (LD_PRELOAD), records what it does to the files under some folders, so
// that CrashLog can build the states a power cut could leave. FSREC_LOG names the log, FSREC_ROOTS
// the folders (absolute, colon-separated); writes to FSREC_MARKS become MARK records; FSREC_LAG
// delays what other threads than the main one do to the files.
// The log is text, a record a line; WRITE and MARK lines are followed by their bytes and "\n":
//   ROOT index dir | ENTRY dir name inode f|d        the folders' contents when the program started
//   CREATE|MKDIR|LINK|UNLINK|RMDIR dir name inode    TMPFILE dir inode
//   RENAME fromdir fromname todir toname inode flags WRITE inode offset length | MARK length
//   TRUNCATE inode length | SYNC inode | CHMOD inode mode | CHOWN inode uid gid | UNKNOWN call path
// An inode is dev:ino, a name is percent-encoded. Only calls that succeeded are recorded, each under
// one lock with its call, so that the records are in the order the calls completed. sync_file_range
// is no barrier and changes nothing, so it is not recorded.
#undef _FORTIFY_SOURCE // its inline open() and the like would clash with ours

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <mutex>
#include <string>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

#define REAL(name) reinterpret_cast<decltype(&::name)>(dlsym(RTLD_NEXT, #name))
// The real call, looked up once for each place it is made.
#define CALL(name, ...) \
    [&] { \
        static const auto real = REAL(name); \
        return real(__VA_ARGS__); \
    }

namespace {

constexpr int MaxFd = 4096;

struct Tracked
{
    std::string node, path; // the inode, and the path it was opened as
    bool marks = false;
};

struct State
{
    std::mutex mutex;
    int log = -1;
    std::vector<std::string> roots;
    std::string marks;
    Tracked fds[MaxFd];
};

std::atomic<bool> g_ready{false};
std::atomic<bool> g_tracked[MaxFd]; // read without the lock: a signal handler's write never waits for it

State &state()
{
    static State *s = new State; // never destroyed: calls come until the very end
    return *s;
}

bool tracked(int fd)
{
    return g_ready && fd >= 0 && fd < MaxFd && g_tracked[fd];
}

struct KeepErrno
{
    int saved = errno;
    ~KeepErrno() { errno = saved; }
};

std::string node(const struct stat &s)
{
    return std::to_string(s.st_dev) + ':' + std::to_string(s.st_ino);
}

std::string nodeOf(const std::string &path)
{
    struct stat s = {};
    return lstat(path.c_str(), &s) == 0 ? node(s) : std::string();
}

std::string nodeOf(int fd)
{
    struct stat s = {};
    return fd >= 0 && fstat(fd, &s) == 0 ? node(s) : std::string();
}

std::string encoded(const std::string &name)
{
    std::string out;
    for (const unsigned char c : name) {
        static const char hex[] = "0123456789ABCDEF";
        if (c <= ' ' || c >= 0x7f || c == '%')
            out += {'%', hex[c >> 4], hex[c & 15]};
        else
            out += char(c);
    }
    return out;
}

void emit(std::string record)
{
    static const auto write = REAL(write);
    record += '\n';
    for (size_t done = 0; done < record.size();) {
        const ssize_t n = write(state().log, record.data() + done, record.size() - done);
        if (n < 0 && errno != EINTR)
            return;
        done += n > 0 ? size_t(n) : 0;
    }
}

void unknown(const char *call, const std::string &path)
{
    emit(std::string("UNKNOWN ") + call + ' ' + encoded(path));
}

// What a call on a watched path changed: the entry `name` in the folder `parent` for `inode`.
struct Entry
{
    std::string path, parent, name, inode;
    std::string record(const char *word) const
    {
        return std::string(word) + ' ' + parent + ' ' + encoded(name) + ' ' + inode;
    }
};

// A path made absolute against the working folder or dirfd, its folder resolved by realpath().
struct Place
{
    std::string path, parent, name;
    bool watched = false, isRoot = false;
};

Place place(int dirfd, const char *given)
{
    Place p;
    char buffer[PATH_MAX];
    if (!g_ready || !given || !*given)
        return p;
    std::string path = given;
    if (path[0] != '/') {
        const std::string fd = "/proc/self/fd/" + std::to_string(dirfd);
        const ssize_t n = dirfd == AT_FDCWD ? (getcwd(buffer, sizeof buffer) ? ssize_t(strlen(buffer)) : -1)
                                            : readlink(fd.c_str(), buffer, sizeof buffer);
        path = n > 0 ? std::string(buffer, size_t(n)) + '/' + path : "";
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const size_t slash = path.rfind('/');
    if (path.empty() || !realpath(slash == 0 ? "/" : path.substr(0, slash).c_str(), buffer))
        return p;
    p.parent = buffer;
    p.name = path.substr(slash + 1);
    p.path = (p.parent == "/" ? "" : p.parent) + '/' + p.name;
    for (const std::string &root : state().roots) {
        p.isRoot = p.isRoot || p.path == root;
        p.watched = p.watched || p.path == root || p.path.compare(0, root.size() + 1, root + '/') == 0;
    }
    return p;
}

bool appending(int fd)
{
    static const auto fcntl = REAL(fcntl);
    return fcntl(fd, F_GETFL) & O_APPEND;
}

// Where a write that gives no offset goes: on an appending descriptor, to the end.
off_t position(int fd)
{
    struct stat s = {};
    return appending(fd) && fstat(fd, &s) == 0 ? s.st_size : lseek(fd, 0, SEEK_CUR);
}

void logWrite(int fd, off_t offset, const std::string &bytes)
{
    const std::string length = std::to_string(bytes.size());
    if (!bytes.empty() && state().fds[fd].marks)
        emit("MARK " + length + '\n' + bytes);
    else if (!bytes.empty())
        emit("WRITE " + state().fds[fd].node + ' ' + std::to_string(offset) + ' ' + length + '\n' + bytes);
}

std::string gathered(const struct iovec *iov, int count, ssize_t length)
{
    std::string bytes;
    for (int i = 0; i < count && ssize_t(bytes.size()) < length; ++i)
        bytes.append(static_cast<const char *>(iov[i].iov_base), std::min(iov[i].iov_len, length - bytes.size()));
    return bytes;
}

// What a copy between descriptors wrote, read back from its source.
std::string readBack(int fd, off_t offset, ssize_t length)
{
    std::string bytes(size_t(std::max<ssize_t>(length, 0)), '\0');
    bytes.resize(size_t(std::max<ssize_t>(pread(fd, bytes.data(), bytes.size(), offset), 0)));
    return bytes;
}

// What a program leaves to a thread of its own happens late, as it may on a busy machine: such
// calls on watched files wait FSREC_LAG milliseconds first.
void lag()
{
    static const int ms = std::getenv("FSREC_LAG") ? std::atoi(std::getenv("FSREC_LAG")) : 0;
    if (ms > 0 && gettid() != getpid())
        usleep(useconds_t(ms) * 1000);
}

// Runs a call on a descriptor and, if it is recorded (and still the same file: one closed behind our
// back may be reused), `record` under the lock after it succeeded, with its result and where it wrote.
template<typename Call, typename Record>
auto onFd(int fd, Call call, Record record) -> decltype(call())
{
    if (!tracked(fd))
        return call();
    lag();
    std::lock_guard<std::mutex> lock(state().mutex);
    if (nodeOf(fd) != state().fds[fd].node) {
        g_tracked[fd] = false;
        return call();
    }
    const off_t at = position(fd);
    const auto result = call();
    KeepErrno keep;
    if (result >= 0)
        record(result, at);
    return result;
}

// Runs a call on a path and, if it is watched, `record` under the lock after it succeeded, with the
// path's inode from before the call (or from after it if the call made it).
template<typename Call, typename Record>
int onPath(int dirfd, const char *path, Call call, Record record)
{
    const Place p = place(dirfd, path);
    if (!p.watched)
        return call();
    std::lock_guard<std::mutex> lock(state().mutex);
    const std::string before = nodeOf(p.path), parent = nodeOf(p.parent);
    const int result = call();
    KeepErrno keep;
    const std::string inode = before.empty() ? nodeOf(p.path) : before;
    if (result == 0 && (p.isRoot || inode.empty()))
        unknown("path", p.path);
    else if (result == 0)
        record(Entry{p.path, parent, p.name, inode});
    return result;
}

template<typename Call>
int opened(int dirfd, const char *path, int flags, Call call)
{
    const Place p = place(dirfd, path);
    const bool marks = !p.path.empty() && p.path == state().marks;
    if (!p.watched && !marks)
        return call();
    std::lock_guard<std::mutex> lock(state().mutex);
    const std::string before = nodeOf(p.path); // for O_TMPFILE, the folder's
    const int fd = call();
    KeepErrno keep;
    const std::string inode = nodeOf(fd);
    if (fd >= MaxFd || (fd >= 0 && inode.empty()))
        unknown("open", p.path);
    if (fd < 0 || fd >= MaxFd || inode.empty())
        return fd;
    state().fds[fd] = {inode, p.path, marks};
    g_tracked[fd] = true;
    if (marks)
        return fd;
    if ((flags & O_TMPFILE) == O_TMPFILE)
        emit("TMPFILE " + before + ' ' + inode);
    else if (before.empty())
        emit("CREATE " + nodeOf(p.parent) + ' ' + encoded(p.name) + ' ' + inode);
    else if (flags & O_TRUNC)
        emit("TRUNCATE " + inode + " 0");
    return fd;
}

template<typename Call>
int renamed(int fromFd, const char *from, int toFd, const char *to, unsigned flags, Call call)
{
    const Place a = place(fromFd, from), b = place(toFd, to);
    if (!a.watched && !b.watched)
        return call();
    std::lock_guard<std::mutex> lock(state().mutex);
    struct stat moved = {};
    const bool known = lstat(a.path.c_str(), &moved) == 0;
    const std::string fromParent = nodeOf(a.parent), toParent = nodeOf(b.parent);
    const int result = call();
    KeepErrno keep;
    const std::string source = fromParent + ' ' + encoded(a.name) + ' ';
    if (result != 0)
        return result;
    if (!known || !a.watched || a.isRoot || b.isRoot || (flags & ~unsigned(RENAME_NOREPLACE | RENAME_EXCHANGE))
        || (!b.watched && (flags & RENAME_EXCHANGE)))
        unknown("rename", a.path + " -> " + b.path);
    else if (!b.watched) // moved out of sight: gone
        emit((S_ISDIR(moved.st_mode) ? "RMDIR " : "UNLINK ") + source + node(moved));
    else
        emit("RENAME " + source + toParent + ' ' + encoded(b.name) + ' ' + node(moved) + ' ' + std::to_string(flags));
    return result;
}

template<typename Call>
int linked(int fromFd, const char *from, int toFd, const char *to, int flags, Call call)
{
    const Place b = place(toFd, to);
    if (!b.watched)
        return call();
    std::lock_guard<std::mutex> lock(state().mutex);
    // The inode linked: a descriptor's (an O_TMPFILE file gets its name so), or a watched path's.
    int fd = (flags & AT_EMPTY_PATH) && from && !*from ? fromFd : -1;
    if (from && strncmp(from, "/proc/self/fd/", 14) == 0 && (flags & AT_SYMLINK_FOLLOW))
        fd = atoi(from + 14);
    const Place a = fd < 0 ? place(fromFd, from) : Place();
    const std::string inode = fd >= 0 ? (tracked(fd) ? nodeOf(fd) : "") : a.watched ? nodeOf(a.path) : "";
    const std::string parent = nodeOf(b.parent);
    const int result = call();
    KeepErrno keep;
    if (result == 0 && (inode.empty() || b.isRoot))
        unknown("link", b.path);
    else if (result == 0)
        emit(Entry{b.path, parent, b.name, inode}.record("LINK"));
    return result;
}

// A duplicate of a descriptor is recorded as it is; one that replaces a recorded descriptor is not.
template<typename Call>
int duplicated(int from, int to, Call call)
{
    if (!tracked(from) && !tracked(to))
        return call();
    std::lock_guard<std::mutex> lock(state().mutex);
    const int fd = call();
    if (fd >= 0 && fd < MaxFd && fd != from) {
        if (tracked(from))
            state().fds[fd] = state().fds[from];
        g_tracked[fd] = tracked(from);
    }
    return fd;
}

void listFolder(const std::string &path, const std::string &folder)
{
    DIR *dir = opendir(path.c_str());
    while (const dirent *entry = dir ? readdir(dir) : nullptr) {
        const std::string name = entry->d_name, inode = nodeOf(path + '/' + name);
        const bool isFolder = entry->d_type == DT_DIR;
        if (name == "." || name == ".." || inode.empty())
            continue;
        emit("ENTRY " + folder + ' ' + encoded(name) + ' ' + inode + (isFolder ? " d" : " f"));
        if (isFolder)
            listFolder(path + '/' + name, inode);
    }
    if (dir)
        closedir(dir);
}

__attribute__((constructor)) void start()
{
    const char *log = getenv("FSREC_LOG"), *roots = getenv("FSREC_ROOTS"), *marks = getenv("FSREC_MARKS");
    State &s = state();
    if (!log || !roots || (s.log = REAL(open)(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) < 0)
        return;
    char buffer[PATH_MAX];
    for (const char *root = roots; *root; root += *root == ':') {
        const char *end = strchrnul(root, ':');
        const std::string given(root, end);
        s.roots.push_back(realpath(given.c_str(), buffer) ? buffer : given);
        root = end;
    }
    g_ready = true;
    s.marks = marks ? place(AT_FDCWD, marks).path : "";
    struct stat logged = {};
    if (fstat(s.log, &logged) != 0 || logged.st_size > 0)
        return; // only the first program started with this log lists the folders
    for (size_t i = 0; i < s.roots.size(); ++i)
        emit("ROOT " + std::to_string(i) + ' ' + nodeOf(s.roots[i]));
    for (const std::string &root : s.roots)
        listFolder(root, nodeOf(root));
}

int modeOf(int flags, va_list args)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, int) : 0;
}

template<typename Real>
int fcntlCall(Real real, int fd, int cmd, void *arg)
{
    if (cmd == F_DUPFD || cmd == F_DUPFD_CLOEXEC)
        return duplicated(fd, -1, [&] { return real(fd, cmd, arg); });
    return real(fd, cmd, arg);
}

// FICLONE makes a file a copy of another; FICLONERANGE and FIDEDUPERANGE are not followed.
int cloned(int fd, unsigned long request, void *arg)
{
    static const auto ioctl = REAL(ioctl);
    if (request != FICLONE && request != FICLONERANGE && request != FIDEDUPERANGE)
        return ioctl(fd, request, arg);
    return onFd(
        fd, [&] { return ioctl(fd, request, arg); },
        [&](int, off_t) {
            struct stat s = {};
            const int from = int(reinterpret_cast<intptr_t>(arg));
            if (request != FICLONE || fstat(from, &s) != 0)
                return unknown("ioctl", state().fds[fd].path);
            logWrite(fd, 0, readBack(from, 0, s.st_size));
            emit("TRUNCATE " + state().fds[fd].node + ' ' + std::to_string(s.st_size));
        });
}

} // namespace

// The calls intercepted, one a line. WROTE records with the count written and where it went, DONE
// without them, and ON_PATH with the Entry changed.
#define WROTE [&](ssize_t n, off_t at)
#define DONE [&](auto...)
#define ON_PATH [&](const Entry &e)
#define NODE state().fds[fd].node
extern "C" {
// clang-format off
int open(const char *path, int flags, ...) { va_list a; va_start(a, flags); const int mode = modeOf(flags, a); va_end(a); return opened(AT_FDCWD, path, flags, CALL(open, path, flags, mode)); }
int open64(const char *path, int flags, ...) { va_list a; va_start(a, flags); const int mode = modeOf(flags, a); va_end(a); return opened(AT_FDCWD, path, flags, CALL(open64, path, flags, mode)); }
int openat(int dirfd, const char *path, int flags, ...) { va_list a; va_start(a, flags); const int mode = modeOf(flags, a); va_end(a); return opened(dirfd, path, flags, CALL(openat, dirfd, path, flags, mode)); }
int openat64(int dirfd, const char *path, int flags, ...) { va_list a; va_start(a, flags); const int mode = modeOf(flags, a); va_end(a); return opened(dirfd, path, flags, CALL(openat64, dirfd, path, flags, mode)); }
// What _FORTIFY_SOURCE makes of an open() without a mode.
int __open_2(const char *path, int flags) { return open(path, flags); }
int __open64_2(const char *path, int flags) { return open64(path, flags); }
int __openat_2(int dirfd, const char *path, int flags) { return openat(dirfd, path, flags); }
int __openat64_2(int dirfd, const char *path, int flags) { return openat64(dirfd, path, flags); }
int creat(const char *path, mode_t mode) { return open(path, O_CREAT | O_WRONLY | O_TRUNC, mode); }
int creat64(const char *path, mode_t mode) { return open64(path, O_CREAT | O_WRONLY | O_TRUNC, mode); }

ssize_t write(int fd, const void *data, size_t length) { return onFd(fd, CALL(write, fd, data, length), WROTE { logWrite(fd, at, std::string(static_cast<const char *>(data), size_t(n))); }); }
ssize_t pwrite(int fd, const void *data, size_t length, off_t offset) { return onFd(fd, CALL(pwrite, fd, data, length, offset), WROTE { logWrite(fd, appending(fd) ? at : offset, std::string(static_cast<const char *>(data), size_t(n))); }); }
ssize_t pwrite64(int fd, const void *data, size_t length, off64_t offset) { return pwrite(fd, data, length, offset); }
ssize_t writev(int fd, const struct iovec *iov, int count) { return onFd(fd, CALL(writev, fd, iov, count), WROTE { logWrite(fd, at, gathered(iov, count, n)); }); }
ssize_t copy_file_range(int in, off64_t *inAt, int out, off64_t *outAt, size_t length, unsigned flags) { const off_t from = inAt ? *inAt : lseek(in, 0, SEEK_CUR), to = outAt ? *outAt : -1;
    return onFd(out, CALL(copy_file_range, in, inAt, out, outAt, length, flags), WROTE { logWrite(out, to >= 0 ? to : at, readBack(in, from, n)); }); }
ssize_t sendfile(int out, int in, off_t *inAt, size_t count) { const off_t from = inAt ? *inAt : lseek(in, 0, SEEK_CUR);
    return onFd(out, CALL(sendfile, out, in, inAt, count), WROTE { logWrite(out, at, readBack(in, from, n)); }); }
ssize_t sendfile64(int out, int in, off64_t *inAt, size_t count) { return sendfile(out, in, inAt, count); }
int ioctl(int fd, unsigned long request, ...) { va_list a; va_start(a, request); void *arg = va_arg(a, void *); va_end(a); return cloned(fd, request, arg); }
int ftruncate(int fd, off_t length) { return onFd(fd, CALL(ftruncate, fd, length), DONE { emit("TRUNCATE " + NODE + ' ' + std::to_string(length)); }); }
int ftruncate64(int fd, off64_t length) { return ftruncate(fd, length); }
int truncate(const char *path, off_t length) { return onPath(AT_FDCWD, path, CALL(truncate, path, length), ON_PATH { emit("TRUNCATE " + e.inode + ' ' + std::to_string(length)); }); }
int truncate64(const char *path, off64_t length) { return truncate(path, length); }
int fsync(int fd) { return onFd(fd, CALL(fsync, fd), DONE { emit("SYNC " + NODE); }); }
int fdatasync(int fd) { return onFd(fd, CALL(fdatasync, fd), DONE { emit("SYNC " + NODE); }); }
int fchmod(int fd, mode_t mode) { return onFd(fd, CALL(fchmod, fd, mode), DONE { emit("CHMOD " + NODE + ' ' + std::to_string(mode)); }); }
int fchown(int fd, uid_t uid, gid_t gid) { return onFd(fd, CALL(fchown, fd, uid, gid), DONE { emit("CHOWN " + NODE + ' ' + std::to_string(int(uid)) + ' ' + std::to_string(int(gid))); }); }
int chmod(const char *path, mode_t mode) { return onPath(AT_FDCWD, path, CALL(chmod, path, mode), ON_PATH { emit("CHMOD " + e.inode + ' ' + std::to_string(mode)); }); }

int close(int fd) { if (!tracked(fd)) return CALL(close, fd)(); std::lock_guard<std::mutex> lock(state().mutex); g_tracked[fd] = false; return CALL(close, fd)(); }
int dup(int fd) { return duplicated(fd, -1, CALL(dup, fd)); }
int dup2(int fd, int to) { return duplicated(fd, to, CALL(dup2, fd, to)); }
int dup3(int fd, int to, int flags) { return duplicated(fd, to, CALL(dup3, fd, to, flags)); }
int fcntl(int fd, int cmd, ...) { va_list a; va_start(a, cmd); void *arg = va_arg(a, void *); va_end(a); static const auto real = REAL(fcntl); return fcntlCall(real, fd, cmd, arg); }
int fcntl64(int fd, int cmd, ...) { va_list a; va_start(a, cmd); void *arg = va_arg(a, void *); va_end(a); static const auto real = REAL(fcntl64); return fcntlCall(real, fd, cmd, arg); }

int rename(const char *from, const char *to) { return renamed(AT_FDCWD, from, AT_FDCWD, to, 0, CALL(rename, from, to)); }
int renameat(int fromFd, const char *from, int toFd, const char *to) { return renamed(fromFd, from, toFd, to, 0, CALL(renameat, fromFd, from, toFd, to)); }
int renameat2(int fromFd, const char *from, int toFd, const char *to, unsigned flags) { return renamed(fromFd, from, toFd, to, flags, CALL(renameat2, fromFd, from, toFd, to, flags)); }
int unlinkat(int dirfd, const char *path, int flags) { return onPath(dirfd, path, CALL(unlinkat, dirfd, path, flags), ON_PATH { emit(e.record((flags & AT_REMOVEDIR) ? "RMDIR" : "UNLINK")); }); }
int unlink(const char *path) { return onPath(AT_FDCWD, path, CALL(unlink, path), ON_PATH { emit(e.record("UNLINK")); }); }
int rmdir(const char *path) { return onPath(AT_FDCWD, path, CALL(rmdir, path), ON_PATH { emit(e.record("RMDIR")); }); }
int mkdirat(int dirfd, const char *path, mode_t mode) { return onPath(dirfd, path, CALL(mkdirat, dirfd, path, mode), ON_PATH { emit(e.record("MKDIR")); }); }
int mkdir(const char *path, mode_t mode) { return onPath(AT_FDCWD, path, CALL(mkdir, path, mode), ON_PATH { emit(e.record("MKDIR")); }); }
int linkat(int fromFd, const char *from, int toFd, const char *to, int flags) { return linked(fromFd, from, toFd, to, flags, CALL(linkat, fromFd, from, toFd, to, flags)); }
int link(const char *from, const char *to) { return linked(AT_FDCWD, from, AT_FDCWD, to, 0, CALL(link, from, to)); }

// Calls whose effect is not followed: on a watched path or descriptor they fail the checker.
int symlink(const char *target, const char *path) { return onPath(AT_FDCWD, path, CALL(symlink, target, path), ON_PATH { unknown("symlink", e.path); }); }
int fallocate(int fd, int mode, off_t offset, off_t length) { return onFd(fd, CALL(fallocate, fd, mode, offset, length), DONE { unknown("fallocate", state().fds[fd].path); }); }
void *mmap(void *address, size_t length, int protection, int flags, int fd, off_t offset) { void *mapped = CALL(mmap, address, length, protection, flags, fd, offset)();
    if (mapped != MAP_FAILED && (protection & PROT_WRITE) && (flags & MAP_SHARED) && tracked(fd)) { std::lock_guard<std::mutex> lock(state().mutex); unknown("mmap", state().fds[fd].path); }
    return mapped; }
void *mmap64(void *address, size_t length, int protection, int flags, int fd, off64_t offset) { return mmap(address, length, protection, flags, fd, offset); }
FILE *fopen(const char *path, const char *mode) { FILE *file = CALL(fopen, path, mode)(); if (file && strpbrk(mode, "wa+") && place(AT_FDCWD, path).watched) unknown("fopen", path); return file; }
// clang-format on
} // extern "C"
