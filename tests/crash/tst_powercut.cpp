// The program's promises on every state a power cut could leave during a short session (see
// powercutsession.cpp): after the next start, RECIPES.DAT holds whole the list of the last save that
// reported success, or of one that had begun, never a mix; every change that was on the disk comes
// back; and nothing the program wrote itself is taken for another program's or left unreadable.
#include "CrashStates.h"
#include "Recipes.h"
#include "store/RecipeBox.h"

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
        const QString file = roots[0] + "/RECIPES.DAT";
        QVERIFY(QDir().mkpath(roots[0]) && QDir().mkpath(roots[1]));
        const RecipeList start = numbered(3, 1);
        RecipeFile::write(start, file);
        for (const QString &made : {dir.filePath("log"), dir.filePath("marks")})
            QFile(made).open(QIODevice::WriteOnly);
        if (inPlace) // the session runs as nobody, for whom only the file and the state folder are writable
            for (const auto &[path, mode] : {std::pair{dir.path(), 0755},
                                             {roots[0], 0555},
                                             {roots[1], 0777},
                                             {file, 0666},
                                             {dir.filePath("log"), 0666},
                                             {dir.filePath("marks"), 0666}})
                QVERIFY(::chmod(QFile::encodeName(path), mode_t(mode)) == 0);
        const Tree initial = CrashLog::snapshot(roots);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", FSRECORDER_PATH);
        environment.insert("FSREC_LOG", dir.filePath("log"));
        environment.insert("FSREC_ROOTS", roots.join(u':'));
        environment.insert("FSREC_MARKS", dir.filePath("marks"));
        environment.insert("XDG_STATE_HOME", roots[1]);
        environment.insert("FSREC_LAG", "30"); // the journal's thread, late: what the session waits for is in time
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        QProcess session;
        session.setProcessEnvironment(environment);
        session.start(QCoreApplication::applicationDirPath() + "/powercutsession",
                      inPlace ? QStringList{roots[0], "nobody"} : QStringList{roots[0]});
        QVERIFY(session.waitForFinished(30000) && session.exitCode() == 0);
        QString error;
        const CrashLog log = CrashLog::read(dir.filePath("log"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        ::chmod(QFile::encodeName(roots[0]), 0700);
        qputenv("XDG_STATE_HOME", QFile::encodeName(roots[1]));
        const QString whole = "RECIPES.DAT was left incomplete by a save that could not finish; it has been written "
                              "whole again from the record of unsaved changes.";
        int checked = 0;
        log.forEachState(initial, 40, [&](const CrashState &state) {
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
            CrashLog::materialize(state.tree, roots);
            RecipeBox box(roots[0]);
            const QStringList said = box.open();
            box.recover();
            RecipeList onDisk;
            QString broken;
            try {
                RecipeFile::read(file, onDisk);
            } catch (const RuntimeError &e) {
                broken = e.description();
            }
            const QString seen = QStringLiteral("%1\n   file %2 %3, recipes %4, said %5\n   marks %6")
                                     .arg(state.description, digestOf(onDisk), broken, digestOf(box.list()),
                                          said.join(u'|'), state.marks.join(u'|'));
            if (!broken.isEmpty() || !files.contains(digestOf(onDisk)))
                QTest::qFail(qPrintable("RECIPES.DAT is not a list the session saved: " + seen), __FILE__, __LINE__);
            else if (states.indexOf(digestOf(box.list()), least) < 0)
                QTest::qFail(qPrintable("changes on the disk did not come back: " + seen), __FILE__, __LINE__);
            else if (!said.isEmpty() && said != QStringList{whole})
                QTest::qFail(qPrintable("a message that is not true: " + seen), __FILE__, __LINE__);
            else
                return ++checked, true;
            return false;
        });
        qDebug() << checked << "states checked over" << log.size() << "records";
        QVERIFY(checked > 50);
    }
};

QTEST_GUILESS_MAIN(TestPowerCut)
#include "tst_powercut.moc"
