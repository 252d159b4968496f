// The main window: keys, boxes, closing, the lock, the session ending, the splash, links and help.
#include "Testing.h"
#include "app/Application.h"
#include "app/TerminationSignals.h"
#include "app/widgets/TabbedPages.h"
#include "links/HelpContents.h"
#include "links/UrlOpener.h"

#include <QAccessible>

#include <csignal>

namespace {

const QByteArray ThreeRecipes
    = "3,2\r\n\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
      "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n"
      "\"Toast\"\r\n\"1 min\"\r\n\"2 min\"\r\n\"1\"\r\n\"Bread\"\r\n\"Toast it.\"\r\n";
const QByteArray Soup = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

// Keeps the addresses handed to the desktop while it exists, and opens none.
struct UrlRecorder
{
    UrlRecorder()
    {
        UrlOpener::setHandler([this](const QUrl &url) { urls << url; });
    }
    ~UrlRecorder() { UrlOpener::setHandler(nullptr); }
    QList<QUrl> urls;
};

// The program started as main() starts it, from another folder than the recipes'.
struct Started : Folder
{
    Started() { QDir::setCurrent(elsewhere.path()); }
    ~Started() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }
    QString start(std::unique_ptr<Application> &program)
    {
        program = std::make_unique<Application>(dir.path());
        return program->start() ? program->mainWindow()->findChild<QLabel *>("recordCounter")->text() : "refused";
    }
    QString start() { return start(larderly); }
    // Started as main() starts it, which ends it at the signals, with "Stew " typed before the first name.
    QString startToEnd()
    {
        ending = std::make_unique<TerminationSignals>();
        const QString counter = start();
        QObject::connect(ending.get(), &TerminationSignals::received, larderly.get(), &Application::endSession);
        if (larderly->mainWindow())
            QTest::keyClicks(larderly->mainWindow()->findChild<QLineEdit *>("nameEdit"), "Stew ");
        return counter;
    }
    QTemporaryDir elsewhere;
    std::unique_ptr<Application> larderly;
    std::unique_ptr<TerminationSignals> ending; // reads the signals while the program runs
};

// The contrast of two colours, from 1 to 21, by their relative luminance in sRGB (WCAG 2).
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> m_window; // one for all the tests that only look

private slots:
    void initTestCase() { m_window = std::make_unique<WindowFixture>(ThreeRecipes); }

    // The window is fixed; the Tab key goes round its controls in order; a screen reader, through Qt's
    // accessibility interfaces (which the AT-SPI bridge reads), names each and says what it is.
    void windowIsFixedWithItsFocusOrderAndNamesForScreenReaders()
    {
        MainWindow *window = m_window->window.get();
        QCOMPARE(window->minimumSize(), window->maximumSize());
        window->activateWindow();
        m_window->child<TabbedPages>("tabs")->tabBar()->setFocus(); // where the window opens
        QStringList order;
        for (int i = 0; i <= 10; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            order << window->focusWidget()->objectName();
        QCOMPARE(order,
                 QStringList({"tabBar", "nameEdit", "servingsEdit", "prepTimeEdit", "cookTimeEdit", "ingredientsEdit",
                              "directionsEdit", "previousButton", "nextButton", "printButton", "tabBar"}));
        QStringList heard; // "name (role)"; the date panel's name goes on with the date
        for (const char *control :
             {"nameEdit", "previousButton", "nextButton", "background", "siteLogo", "cookingClassLink", "datePanel"}) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(m_window->child(control));
            heard << face->text(QAccessible::Name).section(u':', 0, 0) + " ("
                    + QMetaEnum::fromType<QAccessible::Role>().valueToKey(face->role()) + ")";
        }
        QCOMPARE(heard,
                 QStringList({"Name of Dish (EditableText)", "Previous recipe (Button)", "Next recipe (Button)",
                              "Red and white checkerboard (Graphic)", "Kettlebay logo, the maker's web site (Link)",
                              "Cooking Class (Link)", "Date (StaticText)"}));
    }

    // Every text of both pages as drawn, tab and frame captions included, on a light and a dark desktop:
    // in the desktop's text colour, the links in blue, at a contrast of 4.5:1 or more.
    void everyTextCanBeRead_data()
    {
        QTest::addColumn<QPalette>("desktop");
        QTest::newRow("light") << QApplication::palette();
        QTest::newRow("dark") << QPalette(QColor(0x30, 0x30, 0x30));
    }
    void everyTextCanBeRead()
    {
        QFETCH(QPalette, desktop);
        const auto restore = qScopeGuard([before = QApplication::palette()] { QApplication::setPalette(before); });
        QApplication::setPalette(desktop);
        WindowFixture w;
        auto *tabs = w.child<TabbedPages>("tabs");
        QStringList poor; // "text: #ink on #ground"
        for (int page = 0; page < 2; ++page) {
            tabs->setCurrentIndex(page);
            const QImage shot = w.window->grab().toImage();
            const auto check = [&](const QWidget *control, const QString &text, QRect box) {
                box.translate(control->mapTo(w.window.get(), QPoint()));
                const QColor ground = shot.pixelColor(box.topLeft()); // above the letters
                QColor ink = ground; // the one that stands out most: antialiasing may leave no pixel whole
                for (int y = box.top(); y <= box.bottom(); ++y)
                    for (int x = box.left(); x <= box.right(); ++x)
                        if (contrast(shot.pixelColor(x, y), ground) > contrast(ink, ground))
                            ink = shot.pixelColor(x, y);
                const QColor wanted = control->inherits("LinkLabel") ? Qt::blue : desktop.color(QPalette::WindowText);
                if (contrast(ink, wanted) > 1.25 || contrast(ink, ground) < 4.5)
                    poor << text + ": " + ink.name() + " on " + ground.name();
            };
            for (const QLabel *label : tabs->findChildren<QLabel *>()) // their text stands at the top left
                if (label->isVisible() && !label->text().isEmpty())
                    check(label, label->text(),
                          label->fontMetrics().boundingRect(label->rect(), label->wordWrap() ? Qt::TextWordWrap : 0,
                                                            label->text()));
            const auto *frame = w.child<QGroupBox>("resourcesFrame");
            if (frame->isVisible()) // its caption
                check(frame, frame->title(), QRect(0, 0, frame->width(), frame->fontMetrics().height()));
            for (int tab = 0; tab < 2; ++tab) {
                QRect box(QPoint(), tabs->tabBar()->fontMetrics().size(0, tabs->tabBar()->tabText(tab)));
                box.moveCenter(tabs->tabBar()->tabRect(tab).center());
                check(tabs->tabBar(), tabs->tabBar()->tabText(tab), box);
            }
        }
        QCOMPARE(poor.join(u'\n'), QString());
    }

    void keysWorkFromEveryBoxAndPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("then"); // the counter, the control with the focus, the first line of any message
        const auto row = [](const char *name, int page, const QString &focus, const QString &key, const QString &then) {
            QTest::newRow(name) << page << focus << key << then;
        };
        row("Ctrl+A in a box adds, not selects", 0, "prepTimeEdit", "Ctrl+A", "Record 4 of 4 nameEdit");
        row("Ctrl+D deletes", 0, "nameEdit", "Ctrl+D", "Record 2 of 2 nameEdit Are you sure you want to delete Tea?");
        row("Ctrl+F11 in a text box goes to the first", 0, "directionsEdit", "Ctrl+F11",
            "Record 1 of 3 directionsEdit");
        row("Ctrl+F12 on the Resources page stays there", 1, "tabBar", "Ctrl+F12", "Record 3 of 3 tabBar");
        row("Ctrl+S searches, and does not save", 0, "nameEdit", "Ctrl+S", "Record 3 of 3 directionsEdit");
    }
    void keysWorkFromEveryBoxAndPage()
    {
        QFETCH(int, page);
        QFETCH(QString, focus);
        QFETCH(QString, key);
        QFETCH(QString, then);
        WindowFixture w(ThreeRecipes);
        w.child<TabbedPages>("tabs")->setCurrentIndex(page);
        w.child(qPrintable(focus))->setFocus();
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes};
        if (key == "Ctrl+S") {
            onModal([](QWidget *dialog) { // the search dialog
                QTest::keyClicks(dialog->focusWidget(), "TOAST IT");
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            });
        }
        const QKeyCombination pressed = QKeySequence(key)[0];
        QTest::keyClick(QApplication::focusWidget(), pressed.key(), pressed.keyboardModifiers());
        const QString said = prompts.texts().join(u' ').section(u'\n', 0, 0);
        QCOMPARE(QStringList({w.counter(), w.window->focusWidget()->objectName(), said}).join(u' ').trimmed(), then);
        QCOMPARE(w.child<TabbedPages>("tabs")->currentIndex(), page); // nothing switches pages
        QCOMPARE(w.bytes(), ThreeRecipes);
    }

    void boxesHandBackTheFieldsAsShownUnlessEdited()
    {
        // Lone CR and LF, no-break spaces, blanks at the ends and an empty last line all survive.
        const QByteArray file
            = "2,1\r\n\"  Soupe \xa0\xe0 l'oignon \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"a\r\nb\nc\rd\r\n\"\r\n"
              "\"1\xa0h\r\n\r\n\"\r\n\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        WindowFixture w(file);
        QTest::keyClick(w.window.get(), Qt::Key_F12);
        QTest::keyClick(w.window.get(), Qt::Key_F11);
        QVERIFY(!w.window->logic().hasUnsavedChanges()); // both recipes stored as shown: nothing changed
        w.type("ingredientsEdit", "e", Qt::CTRL | Qt::Key_End);
        QTest::keyClick(w.child("ingredientsEdit"), Qt::Key_Return);
        w.type("ingredientsEdit", "f\u00a0");
        QTest::keyClick(w.child("ingredientsEdit"), Qt::Key_Return, Qt::ShiftModifier); // a line separator
        w.type("ingredientsEdit", "g");
        QVERIFY(w.window->logic().hasUnsavedChanges());
        w.child<QAction>("saveAction")->trigger();
        QCOMPARE(w.list().at(1).ingredients, "a\r\nb\r\nc\r\nd\r\ne\r\nf\u00a0\r\ng");
    }

    void noToTheQuestionBeforeChangesAreLostKeepsTheWindowAndTheJournal()
    {
        WindowFixture w(ThreeRecipes);
        QVERIFY(QFile::setPermissions(w.path(), QFile::ReadOwner));
        w.type("cookTimeEdit", " or so", Qt::Key_End);
        PromptRecorder prompts; // No by default
        w.child<QAction>("exitAction")->trigger();
        QVERIFY(w.window->isVisible() && prompts.texts().size() == 2); // after the error and the question
        QCOMPARE(w.journaled().at(2).cookTime, "5 min or so"); // kept at once
    }

    void recipesOpenElsewhereAreNotReadAgain_data()
    {
        QTest::addColumn<bool>("anotherComputer"); // else another window on this one holds them
        QTest::addColumn<bool>("yes");
        QTest::newRow("another window here: refused, with a message") << false << false;
        QTest::newRow("another computer: asked, and No by default reads nothing") << true << false;
        QTest::newRow("another computer: Yes opens them here") << true << true;
    }
    void recipesOpenElsewhereAreNotReadAgain()
    {
        QFETCH(bool, anotherComputer);
        QFETCH(bool, yes);
        Started program;
        program.put(Soup);
        if (anotherComputer)
            program.put("4242\nlarderly\nanother-machine\n", "RECIPES.LCK");
        else
            QCOMPARE(program.start(), "Record 1 of 1");
        PromptRecorder prompts;
        prompts.answers = {yes ? MessageBox::Yes : MessageBox::No};
        std::unique_ptr<Application> second;
        QCOMPARE(program.start(second), yes ? "Record 1 of 1" : "refused");
        QCOMPARE(prompts.texts().value(0).section(u',', 0, 0),
                 "The recipes in " + program.dir.path()
                     + (anotherComputer ? " were opened on the computer another-machine"
                                        : " are already open in another Larderly window."));
        QCOMPARE(prompts.requests[0].defaultButton, anotherComputer ? MessageBox::No : MessageBox::Ok);
        if (second->mainWindow())
            program.larderly = std::move(second);
        QVERIFY(!program.larderly || program.larderly->mainWindow()->close());
        QCOMPARE(program.bytes(), Soup);
    }

    // The session's end (SIGHUP as the terminal closes, SIGTERM at a log-out), which may come again,
    // closes an open menu, then the window as the close box does; a save that fails asks nothing then,
    // and the journal keeps the typing.
    void theSessionsEndClosesAMenuAndTheWindowAskingNothingWhenTheSaveFails()
    {
        QVERIFY(TerminationSignals::install());
        Started program;
        program.put(Soup);
        QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner));
        QCOMPARE(program.startToEnd(), "Record 1 of 1");
        QMenu *menu = program.larderly->mainWindow()->findChild<QMenu *>("recipesMenu");
        menu->popup(program.larderly->mainWindow()->geometry().center());
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget() == menu, 4000);
        std::raise(SIGHUP);
        std::raise(SIGHUP);
        QTRY_VERIFY_WITH_TIMEOUT(!program.larderly->mainWindow()->isVisible(), 4000);
        QVERIFY(!menu->isVisible());
        QCOMPARE(program.bytes(), Soup);
        QCOMPARE(program.journaled().at(1).name, "Stew Soup");
    }

    void theSessionsEndClosesWhateverWindowIsOpenAndSaves_data()
    {
        QTest::addColumn<QString>("opener"); // the command that opens it
        QTest::newRow("the search dialog") << "searchAction";
        QTest::newRow("the About box") << "aboutAction";
        QTest::newRow("a message") << "contentsAction";
        QTest::newRow("a question, which ends as No") << "deleteAction";
        QTest::newRow("the progress of a print") << "printAllAction";
    }
    void theSessionsEndClosesWhateverWindowIsOpenAndSaves()
    {
        QFETCH(QString, opener);
        QVERIFY(TerminationSignals::install());
        Started program;
        RecipeFile::write(numbered(20000, 1), program.path()); // a print long enough to be seen
        QCOMPARE(program.startToEnd(), "Record 1 of 20000");
        RealMessageBoxes real;
        onModal([opener](QWidget *window) { // the session ends twice over while the window is open
            std::raise(SIGTERM);
            std::raise(SIGTERM);
            const auto *progress = qobject_cast<QProgressDialog *>(window);
            QVERIFY(opener != "printAllAction" || (progress && progress->labelText().startsWith("Printing recipe ")));
        });
        program.larderly->mainWindow()->findChild<QAction *>(opener)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!program.larderly->mainWindow()->isVisible(), 4000);
        QVERIFY(program.bytes().startsWith("20000,1\r\n\"Stew Recipe 1\"\r\n"));
    }

    void aSignalDuringTheStartEndsItWithoutWritingTheRecipes()
    {
        QVERIFY(TerminationSignals::install());
        Started program;
        program.put("2,1\r\n\"Only\"\r\n"); // damaged: a session that saved would write it again
        std::raise(SIGTERM); // held until the program reads its signals, which the load does not
        PromptRecorder prompts; // the damage
        QCOMPARE(program.start(), "refused");
        QCOMPARE(program.bytes(), QByteArray("2,1\r\n\"Only\"\r\n"));
        TerminationSignals drained; // for the tests after this one
        QVERIFY(QSignalSpy(&drained, &TerminationSignals::received).wait(2000));
    }

    void repeatedSignalsDoNotPutOffTheDeadline()
    {
        QProcess child; // catches the signals with a 2 s deadline and never ends by itself
        child.start(QCoreApplication::applicationDirPath() + "/editchild", {"hang", "2"});
        QVERIFY(child.waitForReadyRead(10000));
        QElapsedTimer sinceFirst;
        sinceFirst.start();
        for (int i = 0; i < 3 && child.state() == QProcess::Running; ++i, QTest::qWait(700))
            ::kill(pid_t(child.processId()), SIGTERM);
        QTRY_COMPARE_WITH_TIMEOUT(child.state(), QProcess::NotRunning, 10000);
        QCOMPARE(child.exitStatus(), QProcess::CrashExit); // the alarm
        QVERIFY2(sinceFirst.elapsed() < 2900, qPrintable(QString::number(sinceFirst.elapsed())));
    }

    // The splash screen stands in front while the recipes load; message boxes and menus, windows of
    // their own, show the windows' font, also where the system's default font is monospaced. The
    // session's end while a start-up message is open ends the start without writing the recipes.
    void splashAndMessagesShowInFrontOfTheLoadInTheWindowsFont()
    {
        RealMessageBoxes real;
        const auto restore = qScopeGuard([before = QApplication::font()] { QApplication::setFont(before); });
        QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        Started program;
        program.put("2,1\r\n\"Only\"\r\n");
        QStringList seen;
        onModal([&](QWidget *box) {
            for (QWidget *window : QApplication::topLevelWidgets())
                seen << window->objectName() + (window->isVisible() ? " shown" : " hidden");
            seen << QFontInfo(box->findChild<QLabel *>("qt_msgbox_label")->font()).family();
            program.larderly->endSession();
        });
        QCOMPARE(program.start(), "refused");
        QCOMPARE(QDir::currentPath(), QDir(program.dir.path()).canonicalPath()); // the recipes' folder
        QVERIFY2(seen.contains("splashScreen shown") && seen.contains("mainWindow hidden"),
                 qPrintable(seen.join(u',')));
        QCOMPARE(seen.last(), "Liberation Sans");
        QCOMPARE(program.bytes(), QByteArray("2,1\r\n\"Only\"\r\n"));
    }

    void linksAndHelpOpenTheirPages()
    {
        m_window->child<TabbedPages>("tabs")->setCurrentIndex(1);
        UrlRecorder desktop;
        PromptRecorder prompts;
        for (const char *link : {"siteLogo", "spiceRackLink", "freeRecipesLink", "siteTextLabel", "cookingClassLink"})
            QTest::mouseClick(m_window->child(link), Qt::LeftButton); // the site's text is no link
        m_window->child<QAction>("contentsAction")->trigger(); // no help file: whom to contact
        QCOMPARE(prompts.texts(), QStringList("If you need help: Contact support@kettlebay.com"));
        QCOMPARE(prompts.requests[0].icon, MessageBox::Information);
        QVERIFY(QDir::setCurrent(m_window->dir.path()));
        HelpContents::show(nullptr, "Larderly", "help files/#1.html"); // a help file goes to the viewer
        QCOMPARE(desktop.urls,
                 QList<QUrl>({QUrl("http://www.kettlebay.com"), QUrl("http://www.kettlebay.com/help/spices.html"),
                              QUrl("http://recipes.kettlebay.com/recipes/index.cgi"), // the archive site
                              QUrl("http://www.kettlebay.com/shows.html"),
                              QUrl::fromLocalFile(m_window->path("help files/#1.html"))}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
