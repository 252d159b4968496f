// The power-cut simulator on its own: FsRecorder's log of well-known sequences run by crashchild,
// and the crash states CrashLog builds from it.
#include "CrashStates.h"

#include <QtTest>

namespace {

const QByteArray Old = "OLD";
const QByteArray New = QByteArray(2500, 'n') + QByteArray(2500, 'N'); // as crashchild writes it
const QByteArray Absent = "<absent>";

// A run of crashchild under the recorder, in two fresh folders, the first holding x = Old.
struct Session
{
    explicit Session(const QString &sequence)
        : roots{dir.filePath("r0"), dir.filePath("r1")}
    {
        QFile x(roots[0] + "/x");
        if (!QDir().mkpath(roots[0]) || !QDir().mkpath(roots[1]) || !x.open(QIODevice::WriteOnly) || x.write(Old) != 3)
            return;
        x.close();
        initial = CrashLog::snapshot(roots);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", FSRECORDER_PATH);
        environment.insert("FSREC_LOG", dir.filePath("log"));
        environment.insert("FSREC_ROOTS", roots.join(':'));
        environment.insert("FSREC_MARKS", dir.filePath("marks"));
        // Under AddressSanitizer the child wants its runtime first, and the recorder has none.
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(roots[0]);
        child.start(QCoreApplication::applicationDirPath() + "/crashchild", {sequence, roots[1]});
        ran = child.waitForFinished(10000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
        final = CrashLog::snapshot(roots);
        log = CrashLog::read(dir.filePath("log"), &error);
        ran = ran && error.isEmpty();
        if (!ran)
            qWarning() << sequence << child.readAllStandardError() << error;
    }
    QList<CrashState> states(int maxStatesPerPoint = 100) const
    {
        QList<CrashState> all;
        log.forEachState(initial, maxStatesPerPoint, [&](const CrashState &state) { return all << state, true; });
        return all;
    }
    QTemporaryDir dir;
    QStringList roots;
    Tree initial, final;
    bool ran = false;
    QString error;
    CrashLog log;
};

} // namespace

class TestCrashStates : public QObject
{
    Q_OBJECT

private slots:
    void recordsWhatTheCallsDid_data()
    {
        QTest::addColumn<QString>("sequence");
        QTest::newRow("POSIX calls") << "posix";
        QTest::newRow("QDir::mkpath, QSaveFile, QLockFile, QFile::copy, append, rename") << "qt";
        QTest::newRow("many files unsynced") << "many";
    }
    // Nothing unknown; before the first record only the start, and with every record kept the end.
    void recordsWhatTheCallsDid()
    {
        QFETCH(QString, sequence);
        const Session session(sequence);
        QVERIFY(session.ran);
        QList<Tree> first, last;
        QHash<int, int> perPoint;
        const QList<CrashState> states = session.states(100);
        for (const CrashState &state : states) {
            ++perPoint[state.crashPoint];
            if (state.crashPoint == 0)
                first << state.tree;
            if (state.crashPoint == session.log.size())
                last << state.tree;
        }
        QCOMPARE(first, QList<Tree>{session.initial});
        QVERIFY(last.contains(session.final));
        QVERIFY(*std::max_element(perPoint.cbegin(), perPoint.cend()) <= 100);
        QVERIFY(CrashLog::materialize(session.initial, session.roots));
        QCOMPARE(CrashLog::snapshot(session.roots), session.initial);
        qInfo() << sequence << session.log.size() << "records," << states.size() << "states";
    }

    void keepsWhatWasFlushed_data()
    {
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<QString>("since"); // the mark after which the states are looked at
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArrayList>("seen"); // contents some state shows, or Absent
        QTest::addColumn<bool>("only"); // and no state shows anything else
        // clang-format off
        QTest::newRow("new file renamed over the old, nothing flushed: empty or torn") << "rename" << "" << "0/x" << QByteArrayList{Old, "", New.left(1), New.left(2500), New.left(4096), New.left(4999), New} << false;
        QTest::newRow("file flushed, renamed, folder flushed: only the new") << "rename-synced" << "synced" << "0/x" << QByteArrayList{New} << true;
        QTest::newRow("QSaveFile committed, folder not flushed: old or new whole") << "savefile" << "committed" << "0/x" << QByteArrayList{Old, New} << true;
        QTest::newRow("append made durable by fdatasync") << "append" << "synced" << "0/x" << QByteArrayList{Old + "APPENDED"} << true;
        QTest::newRow("new file flushed, folder not: its name may be lost") << "create" << "flushed" << "0/y" << QByteArrayList{Absent, New} << true;
        QTest::newRow("moved to another folder, only that one flushed") << "move" << "synced" << "0/x" << QByteArrayList{Old, Absent} << true;
        QTest::newRow("O_TMPFILE linked, folder not flushed") << "tmpfile" << "linked" << "0/y" << QByteArrayList{Absent, New} << true;
        QTest::newRow("O_TMPFILE linked, folder flushed") << "tmpfile" << "synced" << "0/y" << QByteArrayList{New} << true;
        // clang-format on
    }
    void keepsWhatWasFlushed()
    {
        QFETCH(QString, sequence);
        QFETCH(QString, since);
        QFETCH(QString, path);
        QFETCH(QByteArrayList, seen);
        QFETCH(bool, only);
        const Session session(sequence);
        QVERIFY(session.ran);
        QSet<QByteArray> shown;
        for (const CrashState &state : session.states()) {
            if (!since.isEmpty() && !state.marks.contains(since))
                continue;
            shown << state.tree.value(path, Absent);
            if (only && !seen.contains(state.tree.value(path, Absent)))
                QFAIL(qPrintable(state.description + ": " + state.tree.value(path, Absent).left(20)));
        }
        for (const QByteArray &content : seen)
            QVERIFY2(shown.contains(content), content.left(20).constData());
    }

    void marksComeInOrder()
    {
        const Session session("tmpfile");
        QVERIFY(session.ran);
        const QStringList marks{"start", "linked", "synced"}; // "start" is the first record
        QStringList before;
        for (const CrashState &state : session.states()) {
            QCOMPARE(state.marks, marks.mid(0, state.marks.size()));
            QCOMPARE(state.marks.isEmpty(), state.crashPoint == 0);
            QVERIFY(state.marks.size() >= before.size());
            before = state.marks;
        }
        QCOMPARE(before, marks);
    }

    void refusesWhatItCannotFollow()
    {
        const Session session("symlink");
        QVERIFY(session.error.contains("UNKNOWN symlink"));
    }

    // Beyond the systematic subsets of the 24 operations pending at the end, random ones.
    void boundedAndRepeatable()
    {
        const Session session("many");
        QVERIFY(session.ran);
        const QList<CrashState> states = session.states(100);
        QHash<int, int> perPoint;
        for (const CrashState &state : states)
            ++perPoint[state.crashPoint];
        QCOMPARE(perPoint.value(session.log.size()), 100);
        QVERIFY(*std::max_element(perPoint.cbegin(), perPoint.cend()) <= 100);
        const auto descriptions = [](const QList<CrashState> &states) {
            QStringList all;
            for (const CrashState &state : states)
                all << state.description;
            return all;
        };
        QCOMPARE(descriptions(session.states(100)), descriptions(states));
        QList<Tree> last; // nothing kept and everything kept come first
        for (const CrashState &state : states)
            last << (state.crashPoint == session.log.size() ? state.tree : Tree());
        QVERIFY(last.contains(session.initial) && last.contains(session.final));
    }
};

QTEST_GUILESS_MAIN(TestCrashStates)
#include "tst_crashstates.moc"
