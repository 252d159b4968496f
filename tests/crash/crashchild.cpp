// Does a well-known sequence of file operations for tst_crashstates, under FsRecorder, in the working
// folder (holding x) and the folder given second; the marks go to $FSREC_MARKS.
//   crashchild rename|rename-synced|savefile|append|create|symlink|move|tmpfile|many|posix|qt OTHER
#include <QDir>
#include <QLockFile>
#include <QSaveFile>

#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

const QByteArray New = QByteArray(2500, 'n') + QByteArray(2500, 'N'); // crosses a 4096-byte page

// Every call must do what it is asked: the test compares the folders with the log.
long ok(long result)
{
    if (result < 0)
        std::exit(4);
    return result;
}

void put(int fd, const QByteArray &bytes)
{
    if (ok(::write(fd, bytes.constData(), size_t(bytes.size()))) != bytes.size())
        std::exit(4);
}

void syncFolder(const char *path)
{
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY);
    ok(::fsync(fd));
    ok(::close(fd));
}

void posixCalls(const QByteArray &other)
{
    const int fd = ::creat("p", 0644);
    put(fd, "hello world");
    ok(::pwrite(fd, "HE", 2, 0));
    const iovec parts[2] = {{const_cast<char *>("ab"), 2}, {const_cast<char *>("cd"), 2}};
    ok(::writev(fd, parts, 2));
    const int copies[] = {::dup(fd), ::fcntl(fd, F_DUPFD_CLOEXEC, 100), ::dup2(fd, 200), ::dup3(fd, 201, O_CLOEXEC)};
    for (const int copy : copies) {
        put(copy, "+");
        ok(::close(copy));
    }
    ok(::ftruncate(fd, 20)); // the writes through the duplicates stay
    ok(::fchmod(fd, 0600));
    ok(::fchown(fd, getuid(), getgid()));
    ok(::fsync(fd));
    ok(::close(fd));
    const int in = ::open("p", O_RDONLY), out = ::open("q", O_WRONLY | O_CREAT | O_EXCL, 0644);
    ok(::copy_file_range(in, nullptr, out, nullptr, 5, 0));
    off_t from = 2;
    ok(::sendfile(out, in, &from, 3));
    ::ioctl(out, FICLONE, in); // refused where the file system cannot share blocks
    ok(::close(in));
    ok(::close(out));
    const int appending = ::open("q", O_WRONLY | O_APPEND);
    put(appending, "+tail");
    ok(::pwrite(appending, "P", 1, 0)); // appends too, on Linux
    ok(::close(appending));
    ok(::truncate("p", 19));
    ok(::chmod("p", 0644));
    ok(::mkdir("d", 0755));
    ok(::mkdirat(AT_FDCWD, "d/e", 0755));
    ok(::link("p", "d/p-link"));
    ok(::renameat2(AT_FDCWD, "p", AT_FDCWD, "q", RENAME_EXCHANGE));
    ok(::renameat2(AT_FDCWD, "d/p-link", AT_FDCWD, "d/e/moved", RENAME_NOREPLACE));
    ok(::rename("q", (other + "/q").constData()));
    ok(::unlinkat(AT_FDCWD, "d/e/moved", 0));
    ok(::unlinkat(AT_FDCWD, "d/e", AT_REMOVEDIR));
    const int folder = ::open("d", O_RDONLY | O_DIRECTORY), made = ::openat(folder, "r", O_WRONLY | O_CREAT, 0644);
    put(made, "at");
    ok(::renameat(folder, "r", AT_FDCWD, "r2"));
    ok(::close(made));
    ok(::close(folder));
    ok(::close(::open("x", O_WRONLY | O_TRUNC)));
    ok(::unlink("r2"));
    ok(::mkdir("g", 0755));
    ok(::rmdir("g"));
}

void qtCalls(const QString &other)
{
    QDir().mkpath("sub/deeper");
    for (const QByteArray &text : {QByteArray("first"), New}) {
        QSaveFile file("sub/a");
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            std::exit(4);
    }
    QLockFile lock("sub/a.lck");
    if (!lock.tryLock(0))
        std::exit(4);
    lock.unlock();
    QFile::copy("sub/a", "sub/b");
    QFile appended("sub/b");
    if (!appended.open(QIODevice::WriteOnly | QIODevice::Append) || appended.write("more") != 4 || !appended.flush()
        || !appended.resize(4100))
        std::exit(4);
    appended.close();
    QFile::rename("sub/b", other + "/b");
    QDir("sub").rmdir("deeper");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3 || !std::getenv("FSREC_MARKS"))
        return 2;
    const QByteArray sequence = argv[1];
    const int marks = ::open(std::getenv("FSREC_MARKS"), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const auto mark = [&](const QByteArray &text) { put(marks, text); };
    if (sequence == "rename" || sequence == "rename-synced") {
        const int fd = ::open("x.new", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        put(fd, New);
        if (sequence == "rename-synced")
            ok(::fsync(fd));
        ok(::close(fd));
        ok(::rename("x.new", "x"));
        if (sequence == "rename-synced")
            syncFolder(".");
        mark("synced");
    } else if (sequence == "savefile") {
        QSaveFile file("x");
        if (!file.open(QIODevice::WriteOnly) || file.write(New) != New.size() || !file.commit())
            return 4;
        mark("committed");
    } else if (sequence == "append") {
        const int fd = ::open("x", O_WRONLY | O_APPEND);
        put(fd, "APPENDED");
        ok(::fdatasync(fd));
        mark("synced");
    } else if (sequence == "create") {
        const int fd = ::open("y", O_WRONLY | O_CREAT | O_EXCL, 0644);
        put(fd, New);
        ok(::fsync(fd));
        mark("flushed");
    } else if (sequence == "symlink") {
        ok(::symlink("x", "y"));
    } else if (sequence == "move") {
        ok(::rename("x", (argv[2] + std::string("/x")).c_str()));
        syncFolder(argv[2]);
        mark("synced");
    } else if (sequence == "tmpfile") {
        mark("start");
        const int fd = ::open(".", O_TMPFILE | O_WRONLY, 0644);
        put(fd, New);
        ok(::fdatasync(fd));
        ok(::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fd)).c_str(), AT_FDCWD, "y", AT_SYMLINK_FOLLOW));
        mark("linked");
        syncFolder(".");
        mark("synced");
    } else if (sequence == "many") {
        for (int i = 0; i < 12; ++i) {
            const int fd = ::open(("f" + std::to_string(i)).c_str(), O_WRONLY | O_CREAT, 0644);
            put(fd, QByteArray(1, char('a' + i))); // too short to be torn: one state for each subset
            ok(::close(fd));
        }
    } else if (sequence == "posix") {
        posixCalls(argv[2]);
    } else if (sequence == "qt") {
        qtCalls(QString::fromLocal8Bit(argv[2]));
    } else {
        return 2;
    }
    return 0;
}
