#include "ProgramRun.h"

#include <QtTest>

namespace {
const QByteArray Recipes("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
const QByteArray NoDisplay("Larderly is a desktop program and found no display to open its window on.\n");
} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersAndEndsWithoutTouchingTheRecipes_data();
    void answersAndEndsWithoutTouchingTheRecipes();

private:
    QTemporaryDir m_folder; // a copy of the program with its RECIPES.DAT beside it
};

void TestCommandLine::answersAndEndsWithoutTouchingTheRecipes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display"); // none, Qt's offscreen platform, or an X display nobody serves
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // how standard output starts
    QTest::addColumn<QByteArray>("err"); // all of standard error
    for (const QString display : {"", "offscreen"}) {
        const QByteArray where = display.isEmpty() ? " without a display" : " with a display";
        QTest::newRow("--help shows the usage" + where) << QStringList{"--help"} << display << 0
                                                        << QByteArray("Usage: larderly [options]\n") << QByteArray();
        QTest::newRow("--version shows the version" + where) << QStringList{"--version"} << display << 0
                                                             << QByteArray("Larderly 1.0.0\n") << QByteArray();
        QTest::newRow("an unknown option is refused" + where)
            << QStringList{"--frobnicate"} << display << 1 << QByteArray()
            << QByteArray("larderly: Unknown option 'frobnicate'.\nTry 'larderly --help' for more information.\n");
    }
    QTest::newRow("a start without a display says so") << QStringList() << "" << 1 << QByteArray() << NoDisplay;
    QTest::newRow("a start with an unreachable display says so")
        << QStringList() << ":9999" << 1 << QByteArray() << NoDisplay;
}

void TestCommandLine::answersAndEndsWithoutTouchingTheRecipes()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFile file(m_folder.filePath("RECIPES.DAT"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Recipes) == Recipes.size());
    file.close();
    const QString program = m_folder.filePath("larderly");
    QVERIFY(QFile::exists(program) || QFile::copy(LARDERLY_PROGRAM, program));
    QProcessEnvironment environment;
    if (!display.isEmpty())
        environment.insert(display.startsWith(':') ? "DISPLAY" : "QT_QPA_PLATFORM", display);

    const ProgramRun run = runProgram(program, arguments, environment);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out.left(out.isEmpty() ? 1 : out.size()), out); // none expected: none at all
    QCOMPARE(run.err, err);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Recipes);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
