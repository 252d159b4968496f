// The program's promises on every state a power cut could leave during a short session (see
// powercutsession.cpp): after the next start, RECIPES.DAT holds whole the list of the last save that
// reported success, or of one that had begun, never a mix; every change that was on the disk comes
// back; and nothing the program wrote itself is taken for another program's or left unreadable.
#include "CrashStates.h"
#include "Recipes.h"

#include <QtTest>

#include <sys/stat.h>

class TestPowerCut : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("larderly.*.info=false"); } // cut journals say so

    void everyStateAPowerCutLeavesKeepsThePromises_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("a folder that takes new files") << false;
        QTest::newRow("a read-only folder, whose file is saved where it stands") << true;
    }
    void everyStateAPowerCutLeavesKeepsThePromises()
    {
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const QStringList roots{dir.filePath("recipes"), dir.filePath("state")};
        const QString file = roots[0] + "/RECIPES.DAT", log = dir.filePath("log"), marks = dir.filePath("marks");
        QVERIFY(QDir().mkpath(roots[0]) && QDir().mkpath(roots[1]));
        RecipeList start = numbered(3, 1);
        start.at(3).directions = QString(9000, u'y');
        RecipeFile::write(start, file);
        // In place, the session runs as nobody, for whom only the file and the state folder are writable.
        for (const QString &path : {dir.path(), roots[0], roots[1], file})
            QVERIFY(!inPlace || ::chmod(QFile::encodeName(path), path == roots[0] ? 0555 : 0777) == 0);
        const Tree initial = CrashLog::snapshot(roots);
        qputenv("XDG_STATE_HOME", QFile::encodeName(roots[1])); // for the session and the starts after it
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", FSRECORDER_PATH);
        environment.insert("FSREC_LOG", log);
        environment.insert("FSREC_ROOTS", roots.join(u':'));
        environment.insert("FSREC_MARKS", marks);
        environment.insert("FSREC_LAG", "30"); // the journal's thread, late: what the session waits for is in time
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        QProcess session;
        session.setProcessEnvironment(environment);
        session.start(QCoreApplication::applicationDirPath() + "/powercutsession",
                      inPlace ? QStringList{roots[0], "nobody"} : QStringList{roots[0]});
        QVERIFY(session.waitForFinished(30000) && session.exitCode() == 0);
        const Tree after = CrashLog::snapshot(roots); // what the state with every record kept must show
        QString error;
        const CrashLog crashLog = CrashLog::read(log, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QString whole = "RECIPES.DAT was left incomplete by a save that could not finish; it has been written "
                              "whole again from the record of unsaved changes.";
        int checked = 0, sawAfter = 0;
        crashLog.forEachState(initial, 40, [&](const CrashState &state) {
            // What the session had promised when the power went.
            QByteArrayList states{digestOf(start)}, files{digestOf(start)};
            qsizetype least = 0;
            for (const QString &mark : state.marks) {
                const QByteArray what = mark.section(u' ', 0, 0).toLatin1(), digest = mark.section(u' ', 1).toLatin1();
                if (what == "state")
                    states << digest;
                else if (what == "journaled" || what == "saved")
                    least = states.lastIndexOf(digest);
                if (what == "saving")
                    files << digest;
                else if (what == "saved")
                    files = {digest};
            }
            sawAfter += state.crashPoint == crashLog.size() && state.tree == after;
            const bool written = CrashLog::materialize(state.tree, roots);
            RecipeBox box(roots[0]);
            const QStringList said = box.open();
            box.recover();
            RecipeList onDisk;
            const QString broken = raised([&] { RecipeFile::read(file, onDisk); });
            const QString problem = !written                            ? "the state could not be written"
                : broken != "none" || !files.contains(digestOf(onDisk)) ? "RECIPES.DAT is not a list the session saved"
                : states.indexOf(digestOf(box.list()), least) < 0       ? "changes on the disk did not come back"
                : !said.isEmpty() && said != QStringList{whole}         ? "a message that is not true"
                                                                        : "";
            const QString seen = QString("%1: %2\n   file %3 %4, recipes %5, said %6\n   marks %7")
                                     .arg(problem, state.description, digestOf(onDisk), broken, digestOf(box.list()),
                                          said.join(u'|'), state.marks.join(u'|'));
            return QTest::qVerify(problem.isEmpty(), "the promises kept", qPrintable(seen), __FILE__, __LINE__)
                && ++checked;
        });
        qDebug() << checked << "states checked over" << crashLog.size() << "records";
        QVERIFY2(QTest::currentTestFailed() || sawAfter == 1, "every record kept does not give the folders");
        QVERIFY2(QTest::currentTestFailed() || checked > 50, "too few states");
    }
};

QTEST_GUILESS_MAIN(TestPowerCut)
#include "tst_powercut.moc"
