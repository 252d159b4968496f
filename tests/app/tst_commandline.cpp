#include "DataFile.h"
#include "Recipes.h"

#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersAndEndsWithoutTouchingTheRecipes_data() { dataTable(QFINDTESTDATA("commandline.txt")); }
    void answersAndEndsWithoutTouchingTheRecipes()
    {
        const QStringList row = dataRow();
        const QString argument = row[0], display = row[1], out = row[3];
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
        QCOMPARE(program.exitCode(), row[2].toInt());
        QCOMPARE(QString(program.readAllStandardOutput()).left(qMax(out.size(), 1)), out); // none expected: none at all
        QCOMPARE(QString(program.readAllStandardError()), row[4]);
        QCOMPARE(copy.bytes() + copy.files().join(u' ').toUtf8(), "1,1\r\nlarderly RECIPES.DAT"); // no lock or copy left
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
