#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "PromptRecorder.h"
#include "RecipeList.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString Tool = QStringLiteral("/opt/sysinfo");

// An About box on view and active, over a fake registry that names the tool.
class About
{
public:
    explicit About(bool toolInstalled = true)
    {
        registry.set(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"),
                     Registry::REG_SZ, Tool.toLatin1() + '\0');
        if (toolInstalled)
            launcher.files << Tool;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

    FakeRegistry registry;
    FakeLauncher launcher;
    frmAbout dialog{nullptr, registry, launcher};
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void isAFixedDialog();
    void keysCloseOrStart_data();
    void keysCloseOrStart();
    void helpAboutOpensAFreshModalBoxEachTime();
};

void TestAbout::isAFixedDialog()
{
    About about;
    QCOMPARE(about.dialog.minimumSize(), about.dialog.maximumSize());
    QVERIFY(!(about.dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

void TestAbout::keysCloseOrStart_data()
{
    QTest::addColumn<QList<QKeyCombination>>("keys"); // typed from where the focus starts
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("events"); // starts and messages

    const QKeyCombination tab(Qt::Key_Tab), enter(Qt::Key_Return), esc(Qt::Key_Escape), space(Qt::Key_Space);
    const QStringList none, starts{"start " + Tool};
    QTest::newRow("Enter on OK closes") << QList{enter} << true << true << none;
    QTest::newRow("Esc on OK closes") << QList{esc} << true << true << none;
    QTest::newRow("Esc on System Info closes") << QList{tab, esc} << true << true << none;
    QTest::newRow("Enter on System Info starts the tool") << QList{tab, enter} << true << false << starts;
    QTest::newRow("Space on System Info starts the tool") << QList{tab, space} << true << false << starts;
    QTest::newRow("Tab comes back to OK") << QList{tab, tab, enter} << true << true << none;
    QTest::newRow("Alt+S starts the tool") << QList{Qt::AltModifier | Qt::Key_S} << true << false << starts;
    QTest::newRow("System Info without the tool says so and stays open")
        << QList{tab, space} << false << false << starts + QStringList{"System Information Is Unavailable At This Time"};
}

void TestAbout::keysCloseOrStart()
{
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(bool, installed);
    QFETCH(bool, closes);
    QFETCH(QStringList, events);

    About about(installed);
    PromptRecorder prompts;
    QTRY_VERIFY(about.dialog.isAncestorOf(QApplication::focusWidget()));
    for (const QKeyCombination key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    QTRY_COMPARE(about.dialog.isVisible(), !closes);
    QTRY_COMPARE(about.launcher.log + prompts.texts(), events); // a mnemonic clicks after a moment
}

void TestAbout::helpAboutOpensAFreshModalBoxEachTime()
{
    QTemporaryDir dir;
    RecipeList list;
    frmMain window(list, dir.path());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Each opening as "caption|title|version|owner", seen while the box waits for its answer.
    QStringList openings;
    QList<QPointer<QWidget>> boxes;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget())) {
            boxes << box;
            openings << QStringList{box->windowTitle(), box->findChild<QLabel *>("lblTitle")->text(),
                                    box->findChild<QLabel *>("lblVersion")->text(),
                                    box->parentWidget() == &window ? "main window" : "other"}.join(u'|');
            QTest::mouseClick(box->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        }
    });
    answer.start(10);

    QAction *about = window.findChild<QAction *>(QStringLiteral("mnuHelpAbout"));
    for (int opening = 1; opening <= 2; ++opening) {
        about->trigger(); // returns once the box is answered: it is modal
        QCOMPARE(openings.size(), opening);
        QVERIFY(boxes.last().isNull()); // closing it destroyed it
    }
    QCOMPARE(openings, QStringList(2, QStringLiteral("About Larderly|Larderly|Version 1.0.0|main window")));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
