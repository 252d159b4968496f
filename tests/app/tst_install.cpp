#include "Recipes.h"

#include <QtTest>

#include <csignal>

namespace {

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
    void keepsTheRecipesWhereTheUserCanWrite_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("an installed program, in the user's data folder") << true;
        QTest::newRow("a copied program, beside itself") << false;
    }
    void keepsTheRecipesWhereTheUserCanWrite()
    {
        QFETCH(bool, installed);
        Folder copy, home;
        const QString program = installed ? LARDERLY_PREFIX "/bin/larderly" : copy.path("larderly");
        QVERIFY(installed || QFile::copy(LARDERLY_PROGRAM, program));
        QProcessEnvironment environment;
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", home.dir.path());
        environment.insert("XDG_DATA_HOME", home.path("data"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(catchesSigTerm(process.processId()), 10000);
        process.terminate(); // as the session does when it ends: the recipes are saved
        QVERIFY(process.waitForFinished(10000) && process.exitCode() == 0);
        QCOMPARE(QFile::exists(home.path("data/larderly/RECIPES.DAT")), installed);
        QCOMPARE(QFile::exists(QFileInfo(program).dir().filePath("RECIPES.DAT")), !installed);
        QCOMPARE(QDir(LARDERLY_PREFIX).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"bin", "share"}));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
