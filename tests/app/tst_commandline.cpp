#include "DataFile.h"
#include "Recipes.h"

#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersAndEndsWithoutTouchingTheRecipes_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        for (const QStringList &row : dataRows(QFINDTESTDATA("commandline.txt")))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3].toInt() << row[4] << row[5];
    }
    void answersAndEndsWithoutTouchingTheRecipes()
    {
        QFETCH(QString, argument);
        QFETCH(QString, display);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        Folder copy;
        copy.put("1,1\r\n");
        QVERIFY(QFile::copy(LARDERLY_PROGRAM, copy.path("larderly")));
        QProcessEnvironment environment; // nothing else
        if (display != "none")
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
