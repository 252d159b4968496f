#include "Recipes.h"

#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersAndEndsWithoutTouchingTheRecipes_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("display"); // none, Qt's offscreen platform, or an X display nobody serves
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // how standard output starts
        QTest::addColumn<QString>("err"); // all of standard error
        const QString noDisplay = "Larderly is a desktop program and found no display to open its window on.\n";
        for (const QString display : {"", "offscreen"}) {
            const QByteArray where = display.isEmpty() ? ", without a display" : ", with one";
            QTest::newRow("--help shows the usage" + where) << "--help" << display << 0 << "Usage: larderly [options]\n" << "";
            QTest::newRow("--version shows the version" + where) << "--version" << display << 0 << "Larderly 1.0.0\n" << "";
            QTest::newRow("an unknown option is refused" + where) << "--frobnicate" << display << 1 << ""
                << "larderly: Unknown option 'frobnicate'.\nTry 'larderly --help' for more information.\n";
        }
        QTest::newRow("a start without a display says so") << "" << "" << 1 << "" << noDisplay;
        QTest::newRow("a start with an unreachable display says so") << "" << ":9999" << 1 << "" << noDisplay;
    }
    void answersAndEndsWithoutTouchingTheRecipes()
    {
        QFETCH(QString, argument);
        QFETCH(QString, display);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        Folder copy; // a copy of the program with its recipes beside it
        copy.put("1,1\r\n");
        QVERIFY(QFile::copy(LARDERLY_PROGRAM, copy.path("larderly")));
        QProcessEnvironment environment; // nothing else: no display unless one is named
        if (!display.isEmpty())
            environment.insert(display.startsWith(':') ? "DISPLAY" : "QT_QPA_PLATFORM", display);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(copy.path("larderly"), argument.isEmpty() ? QStringList() : QStringList{argument});
        QVERIFY(program.waitForFinished(30000) && program.exitStatus() == QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        QCOMPARE(QString(program.readAllStandardOutput()).left(qMax(out.size(), 1)), out); // none expected: none at all
        QCOMPARE(QString(program.readAllStandardError()), err);
        QCOMPARE(copy.bytes() + copy.files().join(u' ').toUtf8(), "1,1\r\nlarderly RECIPES.DAT"); // no lock or copy left
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
