#include "FakeLauncher.h"
#include "FakeRegistry.h"
#include "LineControl.h"
#include "PromptRecorder.h"
#include "RecipeList.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

// An About box on view and active, over a fake registry that names one tool.
class About
{
public:
    About()
    {
        registry.setString(ToolKey, QStringLiteral("PATH"), QStringLiteral("/opt/sysinfo"));
        launcher.files << QStringLiteral("/opt/sysinfo");
        dialog = std::make_unique<frmAbout>(nullptr, registry, launcher);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }

    FakeRegistry registry;
    FakeLauncher launcher;
    std::unique_ptr<frmAbout> dialog;
};

struct Opening
{
    QString caption;
    QString title;
    QString version;
    bool modal = false;
    QWidget *owner = nullptr;
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void windowIsAFixedDialogAtItsPlace();
    void etchedRuleIsGreyAboveWhite();
    void tabMovesBetweenTheTwoButtons();
    void keysCloseOrStart_data();
    void keysCloseOrStart();
    void systemInfoWithoutAToolSaysSoAndStaysOpen();
    void helpAboutOpensAFreshModalBoxEachTime();
};

void TestAbout::controlsStandWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("black");

    auto row = [](const char *name, int l, int t, int w, int h, const QString &text, bool black) {
        QTest::newRow(name) << name << QRect(l, t, w, h) << text << black;
    };
    row("Image1", 0, 0, 2400, 2250, QString(), false);
    row("lblTitle", 3840, 240, 1725, 360, "Larderly", true);
    row("lblVersion", 3840, 600, 1845, 225, "Version 1.0.0", false);
    row("lblDescription", 2400, 960, 3285, 1170,
        "Larderly - Store your recipes in an easy to access file system. Compliments of Kettlebay", true);
    row("lblDisclaimer", 255, 2625, 3870, 825, QString(), true);
    row("cmdOK", 4245, 2625, 1260, 345, "OK", false);
    row("cmdSysInfo", 4260, 3075, 1245, 345, "&System Info...", false);
}

void TestAbout::controlsStandWhereTheLayoutPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(bool, black);

    About about;
    QWidget *control = about.dialog->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->parentWidget(), about.dialog.get());
    QCOMPARE(control->geometry(), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
    QCOMPARE(control->font().pointSizeF(), 8.25);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (!text.isNull())
            QCOMPARE(label->text(), text);
        if (black)
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
    if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->text(), text);
    if (name == "Image1")
        QCOMPARE(about.child<QLabel>("Image1")->pixmap().size(), QSize(160, 150));
    if (name == "lblDisclaimer" || name == "lblDescription")
        QVERIFY(about.child<QLabel>(name.toLatin1().constData())->wordWrap());
}

void TestAbout::windowIsAFixedDialogAtItsPlace()
{
    About about;
    QCOMPARE(about.dialog->windowTitle(), QStringLiteral("About Larderly"));
    QCOMPARE(about.dialog->geometry(), QRect(156, 129, 382, 237)); // the client area
    QCOMPARE(about.dialog->minimumSize(), about.dialog->maximumSize());
    const Qt::WindowFlags flags = about.dialog->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    const QList<QSize> iconSizes = about.dialog->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)));
    QVERIFY(iconSizes.contains(QSize(32, 32)));
}

void TestAbout::etchedRuleIsGreyAboveWhite()
{
    About about;
    const QList<LineControl *> lines = about.dialog->findChildren<LineControl *>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    for (const LineControl *line : lines)
        QCOMPARE(line->colour(), line->index() == 0 ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80));
    QVERIFY(lines[0]->index() != lines[1]->index());

    const QImage screen = about.dialog->grab().toImage();
    const qreal dpr = screen.devicePixelRatio();
    auto at = [&](int x, int y) { return screen.pixelColor(QPoint(x, y) * dpr); };
    const QColor grey(0x80, 0x80, 0x80);
    const QColor white(Qt::white);
    // Grey from (90, 2445) to (5654, 2445) twips, white two pixels wide from (105, 2460).
    for (int x : {6, 200, 377}) {
        QCOMPARE(at(x, 163), grey);
        QVERIFY(at(x, 162) != grey);
    }
    for (int x : {7, 200, 377}) {
        QCOMPARE(at(x, 164), white);
        QCOMPARE(at(x, 165), white);
    }
    QVERIFY(at(5, 163) != grey);
    QVERIFY(at(378, 163) != grey);
    QVERIFY(at(200, 166) != white);
}

void TestAbout::tabMovesBetweenTheTwoButtons()
{
    About about;
    QTRY_COMPARE(QApplication::focusWidget(), about.child("cmdOK"));
    QVERIFY(about.child<QPushButton>("cmdOK")->isDefault());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.child("cmdSysInfo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.child("cmdOK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), about.child("cmdSysInfo"));
}

void TestAbout::keysCloseOrStart_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("starts");

    QTest::newRow("Enter on OK closes") << "cmdOK" << int(Qt::Key_Return) << true << false;
    QTest::newRow("Esc on OK closes") << "cmdOK" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Esc on System Info closes") << "cmdSysInfo" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Enter on System Info starts the tool") << "cmdSysInfo" << int(Qt::Key_Return) << false << true;
    QTest::newRow("Space on System Info starts the tool") << "cmdSysInfo" << int(Qt::Key_Space) << false << true;
}

void TestAbout::keysCloseOrStart()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(bool, starts);

    About about;
    PromptRecorder prompts;
    QWidget *button = about.child(focus.toLatin1().constData());
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QTest::keyClick(button, Qt::Key(key));
    QTRY_COMPARE(about.dialog->isVisible(), !closes);
    QCOMPARE(about.launcher.started, starts ? QStringList{QStringLiteral("/opt/sysinfo")} : QStringList());
    QVERIFY(prompts.requests().isEmpty());
}

void TestAbout::systemInfoWithoutAToolSaysSoAndStaysOpen()
{
    About about;
    about.launcher.files.clear();
    PromptRecorder prompts;
    QTest::mouseClick(about.child("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(prompts.texts(), QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    QCOMPARE(about.launcher.started, QStringList{QStringLiteral("/opt/sysinfo")});
    QVERIFY(about.dialog->isVisible());
    QTest::mouseClick(about.child("cmdOK"), Qt::LeftButton);
    QVERIFY(!about.dialog->isVisible());
}

void TestAbout::helpAboutOpensAFreshModalBoxEachTime()
{
    QTemporaryDir dir;
    RecipeList list;
    frmMain window(list, dir.path());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QList<Opening> openings;
    QList<QPointer<QWidget>> boxes;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!box || boxes.contains(box))
            return;
        boxes << box;
        Opening seen;
        seen.caption = box->windowTitle();
        seen.title = box->findChild<QLabel *>(QStringLiteral("lblTitle"))->text();
        seen.version = box->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
        seen.modal = box->isModal();
        seen.owner = box->parentWidget();
        openings << seen;
        QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    answer.start();

    QAction *about = window.findChild<QAction *>(QStringLiteral("mnuHelpAbout"));
    about->trigger();
    QCOMPARE(openings.size(), 1);
    QVERIFY(boxes[0].isNull()); // closing it destroyed it
    about->trigger();
    QCOMPARE(openings.size(), 2);
    QVERIFY(boxes[1].isNull());
    answer.stop();

    for (const Opening &seen : openings) {
        QCOMPARE(seen.caption, QStringLiteral("About Larderly"));
        QCOMPARE(seen.title, QStringLiteral("Larderly"));
        QCOMPARE(seen.version, QStringLiteral("Version 1.0.0"));
        QVERIFY(seen.modal);
        QCOMPARE(seen.owner, &window);
    }
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
