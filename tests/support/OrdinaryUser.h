#pragma once

#include <QProcess>
#include <QTest>

#include <grp.h>
#include <unistd.h>

// What only an ordinary user meets (a folder it cannot write, a file it cannot read, a group it
// belongs to) cannot be set up for root, which CI runs as: such a test runs again as the user nobody
// in a child process of the same test program, which makes its own folders, and its result is the
// child's. The test class calls becomeIfAsked() from its static initMain().
namespace OrdinaryUser {

constexpr uid_t Nobody = 65534;
constexpr gid_t OtherGroup = 100; // a group the user belongs to besides its own

inline void becomeIfAsked()
{
    const gid_t groups[] = {OtherGroup};
    if (qEnvironmentVariableIsSet("LARDERLY_TEST_AS_NOBODY") && ::geteuid() == 0
        && (::setgroups(1, groups) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
        qFatal("cannot become the user nobody");
}

// Runs the current test function, at its current data row, as nobody; its output when it failed.
inline QString rerun()
{
    const QString test = QString::fromLatin1(QTest::currentTestFunction())
        + (QTest::currentDataTag() ? ':' + QString::fromLocal8Bit(QTest::currentDataTag()) : QString());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LARDERLY_TEST_AS_NOBODY", "1");
    environment.insert("HOME", "/tmp");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {test});
    if (!child.waitForFinished(60000))
        return "no answer within 60 s";
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
        ? QString()
        : QString::fromLocal8Bit(child.readAll());
}

} // namespace OrdinaryUser

// Runs the rest of the test as nobody when the tests run as root.
#define RUN_AS_ORDINARY_USER() \
    do { \
        if (::geteuid() == 0) { \
            const QString failed = OrdinaryUser::rerun(); \
            QVERIFY2(failed.isEmpty(), qPrintable(failed)); \
            return; \
        } \
    } while (false)
