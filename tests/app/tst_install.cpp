#include "ProgramRun.h"

#include <QtTest>

#include <csignal>

namespace {

const QString Id = "com.kettlebay.Larderly";

bool catchesSigTerm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("SigCgt:");
    return at >= 0 && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGTERM - 1)));
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keepsRecipesWhereTheUserCanWrite_data();
    void keepsRecipesWhereTheUserCanWrite();
    void installedFilesPassTheirValidators_data();
    void installedFilesPassTheirValidators();
    void packageHoldsTheFilesAndNamesItsDependencies();

private:
    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase()
{
    const ProgramRun run = runProgram(CMAKE_COMMAND_PATH, {"--install", LARDERLY_BUILD_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(run.exitCode == 0, run.err.constData());
}

void TestInstall::keepsRecipesWhereTheUserCanWrite_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("an installed program keeps them in the user's data folder") << true;
    QTest::newRow("a copied program keeps them beside itself") << false;
}

void TestInstall::keepsRecipesWhereTheUserCanWrite()
{
    QFETCH(bool, installed);
    QTemporaryDir copy, home;
    const QString program = installed ? m_prefix.filePath("bin/larderly") : copy.filePath("larderly");
    QVERIFY(installed || QFile::copy(LARDERLY_PROGRAM, program));
    QProcessEnvironment environment;
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, {});
    QVERIFY(process.waitForStarted(10000)); // after this the signal dispositions are the program's own
    QTRY_VERIFY_WITH_TIMEOUT(catchesSigTerm(process.processId()), 10000);
    process.terminate(); // as the session does when it ends
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QFile::exists(home.filePath("data/larderly/RECIPES.DAT")), installed);
    QCOMPARE(QFile::exists(QFileInfo(program).dir().filePath("RECIPES.DAT")), !installed);
}

void TestInstall::installedFilesPassTheirValidators_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("desktop entry") << QStringList{"desktop-file-validate", "share/applications/" + Id + ".desktop"};
    QTest::newRow("AppStream metadata")
        << QStringList{"appstreamcli", "validate", "--no-net", "share/metainfo/" + Id + ".metainfo.xml"};
}

void TestInstall::installedFilesPassTheirValidators()
{
    QFETCH(QStringList, command);
    command.last() = m_prefix.filePath(command.last());
    const ProgramRun run = runProgram(command.takeFirst(), command);
    QVERIFY2(run.exitCode == 0, run.out + run.err);
}

void TestInstall::packageHoldsTheFilesAndNamesItsDependencies()
{
    QTemporaryDir out;
    const ProgramRun cpack = runProgram(
        CPACK_COMMAND_PATH, {"-G", "DEB", "--config", LARDERLY_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()});
    QVERIFY2(cpack.exitCode == 0, cpack.out + cpack.err);
    const QStringList debs = QDir(out.path()).entryList({"larderly_1.0.0_*.deb"});
    QCOMPARE(debs.size(), 1);
    const QByteArray info = runProgram("dpkg-deb", {"-I", out.filePath(debs[0])}).out;
    const QByteArray depends = info.mid(info.indexOf("\n Depends: ")).split('\n').value(1);
    for (const char *package : {"fonts-liberation2", "libqt6widgets6 (>=", "libcups2 (>="})
        QVERIFY2(depends.contains(package), depends.constData());
    const QByteArray contents = runProgram("dpkg-deb", {"-c", out.filePath(debs[0])}).out;
    for (const QString &file : {QString("bin/larderly"), "share/applications/" + Id + ".desktop",
                                "share/metainfo/" + Id + ".metainfo.xml", "share/icons/hicolor/256x256/apps/" + Id + ".png"})
        QVERIFY2(contents.contains(" ./usr/" + file.toUtf8() + '\n'), contents.constData());
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
