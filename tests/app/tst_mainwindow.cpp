// The main window: its layout, keys, boxes, closing, the lock on the recipes, the session ending,
// the splash screen and the links.
#include "Testing.h"
#include "app/Application.h"
#include "app/ClockStatusBar.h"
#include "app/PrintProgressDialog.h"
#include "app/TabbedPages.h"
#include "app/TerminationSignals.h"
#include "dialogs/SplashScreen.h"
#include "links/HelpContents.h"

#include <csignal>

namespace {

const QByteArray ThreeRecipes = "3,2\r\n\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
                                "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n"
                                "\"Toast\"\r\n\"1 min\"\r\n\"2 min\"\r\n\"1\"\r\n\"Bread\"\r\n\"Toast it.\"\r\n";
const QByteArray Soup = "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

QString focusName(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    return qobject_cast<QTabBar *>(focus) ? "tabs" : focus ? focus->objectName() : QString();
}

// The program started from another folder than its own.
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
    bool close()
    {
        larderly->mainWindow()->findChild<QAction *>("exitAction")->trigger();
        return QTest::qWaitFor([this] { return !larderly->mainWindow()->isVisible(); }, 5000);
    }
    QString lockedByAnother() const // what a second program finds
    {
        QProcess other;
        other.start(QCoreApplication::applicationDirPath() + "/../store/savechild", {"lock", dir.path()});
        other.waitForReadyRead(10000);
        const QString said = other.readAll().trimmed();
        other.kill();
        other.waitForFinished();
        return said;
    }
    QTemporaryDir elsewhere;
    std::unique_ptr<Application> larderly;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> m_window; // one for all rows that only look

private slots:
    void initTestCase() { m_window = std::make_unique<WindowFixture>(ThreeRecipes); }
    void cleanupTestCase() { m_window.reset(); }

    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text"); // or title, then the tooltip after a "|"
        const auto row = [](const char *control, const char *container, int left, int top, int width, int height,
                            const QString &text = "") {
            QTest::newRow(control) << control << container << QRect(left, top, width, height) << text;
        };
        row("background", "clientArea", 0, 0, 7020, 4530);
        row("tabs", "clientArea", 120, 120, 6735, 4335);
        row("statusBar", "clientArea", 0, 4485, 6990, 270);
        row("nameLabel", "tabs", 120, 420, 1095, 255, "Name of Dish:");
        row("nameEdit", "tabs", 1200, 420, 5295, 285);
        row("prepTimeLabel", "tabs", 120, 780, 1455, 255, "Preparation Time:");
        row("prepTimeEdit", "tabs", 1440, 780, 855, 285);
        row("cookTimeLabel", "tabs", 2640, 780, 1095, 255, "Cooking Time:");
        row("cookTimeEdit", "tabs", 3720, 780, 855, 285);
        row("servingsLabel", "tabs", 4920, 780, 735, 255, "Servings:");
        row("servingsEdit", "tabs", 5640, 780, 855, 285);
        row("ingredientsLabel", "tabs", 120, 1140, 975, 255, "Ingredients:");
        row("ingredientsEdit", "tabs", 120, 1380, 3135, 2175);
        row("directionsLabel", "tabs", 3360, 1140, 975, 255, "Directions:");
        row("directionsEdit", "tabs", 3360, 1380, 3135, 2175);
        row("printButton", "tabs", 120, 3720, 1380, 345, "&Print This Recipe");
        row("recordCounter", "tabs", 1605, 3780, 3450, 255, "Record 2 of 3");
        row("previousButton", "tabs", 5160, 3660, 615, 495, "<<");
        row("nextButton", "tabs", 5880, 3660, 615, 495, ">>");
        row("siteLogo", "tabs", 0, 480, 2400, 2250, "|Click Here to Visit");
        row("clickHintLabel", "tabs", 3960, 360, 2655, 255, "Click On Blue Colored Text To Visit.");
        row("siteTitleLabel", "tabs", 2400, 720, 4095, 255, "Kettlebay - Free Online Recipe Database");
        row("siteTextLabel", "tabs", 2400, 960, 4095, 1215,
            "What's for Dinner? If you're in need of some TERRIFIC ideas you'll want to visit Kettlebay. Search the "
            "enormous recipe database, read helpful articles, even order cookbooks and kitchen gadgets. This remarkable "
            "site has a wealth of valuable information  that will make your meals more EXCITING!");
        row("visitLabel", "tabs", 2400, 2280, 3975, 255, "Visit us today at:");
        row("siteLink", "tabs", 2400, 2520, 3975, 255, "http://www.kettlebay.com|Click Here to Visit!");
        row("resourcesFrame", "tabs", 120, 2880, 6495, 1335, "Helpful Resources");
        row("spiceRackLink", "resourcesFrame", 120, 360, 2055, 255, "Spice Rack|Click Here to Visit");
        row("foodEquivalentsLink", "resourcesFrame", 120, 600, 2055, 255, "Food Equivalents|Click Here to Visit");
        row("substitutionsLink", "resourcesFrame", 120, 840, 2055, 255, "Substitutions|Click Here to Visit");
        row("conversionsLink", "resourcesFrame", 2400, 360, 1815, 255, "Conversions|Click Here to Visit");
        row("measuresLink", "resourcesFrame", 2400, 600, 1815, 255, "Measures|Click Here to Visit");
        row("kitchenStoreLink", "resourcesFrame", 2400, 840, 1815, 255, "Kitchen Store|Click Here to Visit");
        row("freeRecipesLink", "resourcesFrame", 4320, 360, 1815, 255, "Free Recipes|Click Here to Visit");
        row("quickDishArchiveLink", "resourcesFrame", 4320, 600, 2055, 255, "Quick Dish Archive");
        row("cookingClassLink", "resourcesFrame", 4320, 840, 2055, 255, "Cooking Class");
    }
    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, control);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QWidget *widget = m_window->child(qPrintable(control)), *in = m_window->child(qPrintable(container));
        const QRect pixels(widget->mapTo(widget->window(), QPoint()) - in->mapTo(widget->window(), QPoint()), widget->size());
        QCOMPARE(QRect(pixels.topLeft() * 15, pixels.size() * 15), twips);
        if (qobject_cast<QLineEdit *>(widget))
            return; // holds the recipe
        const QVariant caption = widget->property(qobject_cast<QGroupBox *>(widget) ? "title" : "text");
        QCOMPARE(caption.toString() + (widget->toolTip().isEmpty() ? "" : "|" + widget->toolTip()), text);
    }

    void menusHoldTheirItemsWithTheirKeys_data()
    {
        QTest::addColumn<QString>("menu"); // and its title
        QTest::addColumn<QStringList>("items"); // name, text and shortcut; "-" a separator
        QTest::newRow("File") << "fileMenu &File"
                              << QStringList{"saveAction &Save", "printAllAction &Print All...", "-", "exitAction E&xit"};
        QTest::newRow("Recipes") << "recipesMenu &Recipes"
                                 << QStringList{"addAction &Add Ctrl+A", "deleteAction &Delete Ctrl+D", "-",
                                                "searchAction &Search Ctrl+S", "findNextAction Find Nex&t F3", "-",
                                                "previousAction &Previous F11", "nextAction &Next F12",
                                                "firstAction &First Recipe Ctrl+F11", "lastAction &Last Recipe Ctrl+F12"};
        QTest::newRow("Help") << "helpMenu &Help" << QStringList{"contentsAction &Contents", "aboutAction &About "};
    }
    void menusHoldTheirItemsWithTheirKeys()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        auto *found = m_window->child<QMenu>(qPrintable(menu.section(u' ', 0, 0)));
        QCOMPARE(found->title(), menu.section(u' ', 1));
        QStringList seen;
        for (QAction *item : found->actions()) {
            QVERIFY(item->isEnabled());
            QVERIFY(!item->isCheckable());
            const QString shortcut = item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString();
            seen << (item->isSeparator() ? "-" : item->objectName() + " " + item->text() + shortcut);
        }
        QCOMPARE(seen, items);
    }

    void windowIsFixedWithItsPagesPicturesAndFocusOrder()
    {
        MainWindow *window = m_window->window.get();
        QCOMPARE(window->windowTitle(), "Larderly");
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        const QRect client = window->centralWidget()->geometry();
        QCOMPARE(client.top(), window->menuBar()->geometry().bottom() + 1);
        QCOMPARE(window->height() - client.top(), 317);
        QCOMPARE(window->centralWidget()->palette().color(QPalette::Window), QColor(0xC0, 0, 0));
        QTabBar *tabs = m_window->child<TabbedPages>("tabs")->tabBar();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), "My Recipes");
        QCOMPARE(tabs->tabText(1), "Resources");
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(tabs->height() < 24);
        QVERIFY(!m_window->child("spiceRackLink")->isVisible());
        QVERIFY(m_window->child("siteTitleLabel")->font().bold());
        QVERIFY(!m_window->child("visitLabel")->font().bold());
        QCOMPARE(m_window->child("nextButton")->font().pointSizeF(), 8.25);
        QCOMPARE(m_window->child("freeRecipesLink")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(m_window->child("clickHintLabel")->palette().color(QPalette::WindowText) != QColor(0, 0, 255));
        const QImage board = m_window->child<QLabel>("background")->pixmap().toImage();
        QCOMPARE(board.size(), QSize(468, 302));
        QCOMPARE(board.pixelColor(12, 0), QColor(Qt::white));
        QCOMPARE(board.pixelColor(11, 11), QColor(0xC6, 0, 0));
        QCOMPARE(m_window->child<QLabel>("siteLogo")->pixmap().size(), QSize(160, 150));
        QCOMPARE(window->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32), QSize(16, 16)}));
        auto *bar = m_window->child<ClockStatusBar>("statusBar");
        QCOMPARE(bar->panelText(0), "Status");
        QTRY_COMPARE(bar->panelText(1) + " " + bar->panelText(2), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)
                         + " " + QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
        window->activateWindow();
        m_window->child<TabbedPages>("tabs")->tabBar()->setFocus(); // where the window opens
        QStringList order{focusName(window)};
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName(window);
        }
        QCOMPARE(order, QStringList({"tabs", "nameEdit", "servingsEdit", "prepTimeEdit", "cookTimeEdit", "ingredientsEdit",
                                     "directionsEdit", "previousButton", "nextButton", "printButton", "tabs"}));
    }

    void keysWorkFromEveryBoxAndPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("then"); // the counter, the control with the focus, the first line of any message
        QTest::newRow("Ctrl+A in a box adds, not selects") << 0 << "prepTimeEdit" << "Ctrl+A" << "Record 4 of 4 nameEdit";
        QTest::newRow("Ctrl+D in a box asks, then deletes") << 0 << "nameEdit" << "Ctrl+D"
                                                            << "Record 2 of 2 nameEdit Are you sure you want to delete Tea?";
        QTest::newRow("Ctrl+F12 on the Resources page stays there") << 1 << "tabs" << "Ctrl+F12" << "Record 3 of 3 tabs";
        QTest::newRow("Ctrl+S searches, and does not save") << 0 << "nameEdit" << "Ctrl+S" << "Record 3 of 3 directionsEdit";
        QTest::newRow("Enter on a focused >> presses it") << 0 << "nextButton" << "Return" << "Record 3 of 3 nextButton";
        QTest::newRow("Enter on Print This Recipe prints")
            << 0 << "printButton" << "Return"
            << "Record 2 of 3 printButton No printer is installed, so the document was saved as a PDF file:";
    }
    void keysWorkFromEveryBoxAndPage()
    {
        QFETCH(int, page);
        QFETCH(QString, focus);
        QFETCH(QString, key);
        QFETCH(QString, then);
        WindowFixture w(ThreeRecipes);
        w.child<TabbedPages>("tabs")->setCurrentIndex(page);
        (focus == "tabs" ? w.child<TabbedPages>("tabs")->tabBar() : w.child(qPrintable(focus)))->setFocus();
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
        QCOMPARE(QStringList({w.counter(), focusName(w.window.get()), said}).join(u' ').trimmed(), then);
        QCOMPARE(w.child<TabbedPages>("tabs")->currentIndex(), page); // nothing switches pages
        QCOMPARE(w.bytes(), ThreeRecipes);
    }

    void boxesHandBackTheFieldsAsShownUnlessEdited()
    {
        // Lone CR and LF, no-break spaces, blanks at the ends and an empty last line all survive.
        const QByteArray file = "2,1\r\n\"  Soupe \xa0\xe0 l'oignon \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"a\r\nb\nc\rd\r\n\"\r\n"
                                "\"1\xa0h\r\n\r\n\"\r\n\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
        WindowFixture w(file);
        QTest::keyClick(w.window.get(), Qt::Key_F12);
        QTest::keyClick(w.window.get(), Qt::Key_F11);
        QVERIFY(!w.window->logic().hasUnsavedChanges()); // showing a recipe changes nothing
        w.window->close();
        QCOMPARE(w.bytes(), file);
        WindowFixture edited(file);
        edited.type("ingredientsEdit", "e", Qt::CTRL | Qt::Key_End);
        QTest::keyClick(edited.child("ingredientsEdit"), Qt::Key_Return);
        edited.type("ingredientsEdit", "f\u00a0");
        QTest::keyClick(edited.child("ingredientsEdit"), Qt::Key_Return, Qt::ShiftModifier); // a line separator
        edited.type("ingredientsEdit", "g");
        QVERIFY(edited.window->logic().hasUnsavedChanges());
        edited.child<QLineEdit>("nameEdit")->setText(QString(40000, u'x')); // no length limit
        edited.type("nameEdit", "!");
        edited.child<QAction>("saveAction")->trigger();
        QCOMPARE(edited.list.at(1).ingredients, "a\r\nb\r\nc\r\nd\r\ne\r\nf\u00a0\r\ng");
        QCOMPARE(edited.list.at(1).name, QString(40000, u'x') + u'!');
    }

    void closingSavesOrAsksBeforeLosingChanges_data()
    {
        QTest::addColumn<QString>("how"); // File > Exit, the close box, or a failing save answered yes or no
        QTest::addColumn<bool>("edited"); // the cooking time
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QStringList>("messages");
        const QString kept = "Your recipes could not be saved. Close anyway? The changes made since the last save are "
                             "kept in RECIPES.JNL and offered back at the next start.";
        QTest::newRow("File > Exit stores the boxes and saves") << "exit" << true << true << QStringList();
        QTest::newRow("the close box too") << "close box" << true << true << QStringList();
        QTest::newRow("a failed save with nothing unsaved closes after the error") << "yes" << false << true
                                                                                    << QStringList{"Permission denied"};
        QTest::newRow("a failed save with changes asks; Yes closes") << "yes" << true << true
                                                                     << QStringList{"Permission denied", kept};
        QTest::newRow("No keeps the window, the edits and their journal") << "no" << true << false
                                                                          << QStringList{"Permission denied", kept};
    }
    void closingSavesOrAsksBeforeLosingChanges()
    {
        QFETCH(QString, how);
        QFETCH(bool, edited);
        QFETCH(bool, closed);
        QFETCH(QStringList, messages);
        WindowFixture w(ThreeRecipes);
        const bool fails = how == "yes" || how == "no";
        if (fails)
            QVERIFY(QFile::setPermissions(w.path(), QFile::ReadOwner));
        if (edited)
            w.type("cookTimeEdit", " or so", Qt::Key_End);
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Ok, how == "yes" ? MessageBox::Yes : MessageBox::No};
        how == "exit" ? w.child<QAction>("exitAction")->trigger() : void(w.window->close());
        QCOMPARE(!w.window->isVisible(), closed);
        QCOMPARE(prompts.texts(), messages);
        if (messages.size() > 1)
            QCOMPARE(prompts.requests[1].defaultButton, MessageBox::No);
        QCOMPARE(w.bytes().contains("\"5 min or so\""), edited && !fails);
        QCOMPARE(w.files().contains("RECIPES.JNL"), edited && fails); // kept at once
        if (edited && fails)
            QCOMPARE(w.journaled().at(2).cookTime, "5 min or so");
        QCOMPARE(w.child<QLineEdit>("cookTimeEdit")->text(), edited ? "5 min or so" : "5 min");
    }

    void recipesOpenElsewhereAreNotReadAgain_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("this program's own window") << "window";
        QTest::newRow("another program, however long ago it took them") << "running";
        QTest::newRow("a lock left by a killed program is taken over") << "killed";
        QTest::newRow("a lock that cannot be made stops nothing") << "folder";
        QTest::newRow("an empty lock left by a power failure is taken over") << "empty";
    }
    void recipesOpenElsewhereAreNotReadAgain()
    {
        QFETCH(QString, holder);
        Started program;
        program.put(Soup);
        QProcess other;
        if (holder == "folder" || holder == "empty") {
            QFile lock(program.path("RECIPES.LCK"));
            QVERIFY(holder == "folder" ? QDir(program.dir.path()).mkpath("RECIPES.LCK") : lock.open(QIODevice::WriteOnly));
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFile::FileModificationTime);
            QCOMPARE(program.start(), "Record 1 of 1");
            QCOMPARE(program.lockedByAnother(), "not locked");
            QVERIFY(program.close());
            QCOMPARE(program.bytes(), Soup);
            return;
        }
        if (holder == "window") {
            QCOMPARE(program.start(), "Record 1 of 1");
            QCOMPARE(program.lockedByAnother(), "not locked"); // held while the window is open
        } else {
            other.start(QCoreApplication::applicationDirPath() + "/../store/savechild", {"lock", program.dir.path()});
            QVERIFY(other.waitForReadyRead(10000));
            QCOMPARE(other.readAll(), "locked\n");
        }
        QFile lock(program.path("RECIPES.LCK"));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFile::FileModificationTime));
        if (holder == "killed") {
            other.kill();
            other.waitForFinished();
        }
        PromptRecorder prompts;
        std::unique_ptr<Application> second;
        QCOMPARE(program.start(second), holder == "killed" ? "Record 1 of 1" : "refused");
        const QString open = "The recipes in " + program.dir.path() + " are already open in another Larderly window.";
        QCOMPARE(prompts.texts(), holder == "killed" ? QStringList() : QStringList{open});
        QCOMPARE(bool(second->mainWindow()), holder == "killed");
        if (program.larderly)
            QVERIFY(program.close());
        if (second->mainWindow()) {
            program.larderly = std::move(second);
            QVERIFY(program.close());
        }
        QCOMPARE(program.bytes(), Soup);
        other.kill();
        other.waitForFinished();
    }

    void aSignalEndingTheSessionClosesAndSavesAsTheCloseBoxDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("SIGTERM, the session ending") << SIGTERM << false;
        QTest::newRow("SIGHUP while the About box is open") << SIGHUP << false;
        QTest::newRow("SIGTERM while the save fails: no question, the journal keeps the typing") << SIGTERM << true;
    }
    void aSignalEndingTheSessionClosesAndSavesAsTheCloseBoxDoes()
    {
        QFETCH(int, signal);
        QFETCH(bool, saveFails);
        QVERIFY(TerminationSignals::install());
        Started program;
        program.put(Soup);
        if (saveFails)
            QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner));
        PromptRecorder prompts;
        QCOMPARE(program.start(), "Record 1 of 1");
        TerminationSignals terminations;
        connect(&terminations, &TerminationSignals::received, program.larderly.get(), &Application::endSession);
        QTest::keyClicks(program.larderly->mainWindow()->findChild<QLineEdit *>("nameEdit"), "Stew "); // not stored
        QObject row; // its timers end with the row
        QTimer::singleShot(0, &row, [signal] { std::raise(signal); });
        if (signal == SIGHUP)
            program.larderly->mainWindow()->showAbout();
        QTRY_VERIFY_WITH_TIMEOUT(!program.larderly->mainWindow()->isVisible(), 4000);
        QCOMPARE(prompts.texts(), QStringList());
        QCOMPARE(program.bytes().startsWith("1,1\r\n\"Stew Soup\"\r\n"), !saveFails);
        QCOMPARE(program.files().contains("RECIPES.JNL"), saveFails);
        QCOMPARE(program.journaled().at(1).name, "Stew Soup");
    }

    void splashStandsWithItsFrameInFrontOfTheLoadAndItsMessage()
    {
        Started program;
        program.put("2,1\r\n\"Only\"\r\n");
        PromptRecorder prompts;
        QStringList seen;
        QImage shot;
        prompts.onShow = [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                seen << window->objectName() + (window->isVisible() ? " shown" : " hidden");
                if (window->objectName() == "splashScreen")
                    shot = window->grab().toImage();
            }
        };
        QCOMPARE(program.start(), "Record 1 of 2");
        QCOMPARE(QDir::currentPath(), QDir(program.dir.path()).canonicalPath()); // the recipes' folder
        QVERIFY(prompts.texts().value(0).startsWith("Input past end of file"));
        QVERIFY(seen.contains("splashScreen shown"));
        QVERIFY(seen.contains("mainWindow hidden"));
        QVERIFY(program.close());
        for (int d = 0; d < 2; ++d) { // a raised frame: lighter at the top and left than at the bottom and right
            const QColor top = shot.pixelColor(248, d), bottom = shot.pixelColor(248, 313 - d);
            QCOMPARE(shot.pixelColor(d, 157), top);
            QCOMPARE(shot.pixelColor(496 - d, 157), bottom);
            QVERIFY(top.lightness() > bottom.lightness() + 64);
        }
        QCOMPARE(shot.pixelColor(3, 3), QColor(0xC6, 0x00, 0x00)); // the client area's checkerboard
        SplashScreen splash;
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
        for (Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowTransparentForInput, Qt::WindowDoesNotAcceptFocus})
            QVERIFY(splash.windowFlags() & flag);
        const auto label = [&](const char *name) { return splash.findChild<QLabel *>(name); };
        QCOMPARE(label("productLabel")->text(), "Larderly");
        QCOMPARE(label("versionLabel")->text(), "Version 1.0.0");
        QCOMPARE(label("platformLabel")->text(), "Platform");
        QCOMPARE(splash.findChild<QWidget *>("clientArea")->geometry(), QRect(3, 3, 491, 308));
        QCOMPARE(label("versionLabel")->geometry(), QRect(QPoint(352, 136), label("versionLabel")->sizeHint())); // auto-sized
    }

    void linksOpenTheirPages_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address"); // none for a label that is no link
        const QString main = "http://www.kettlebay.com";
        QTest::newRow("the logo") << "siteLogo" << main;
        QTest::newRow("the site's address") << "siteLink" << main;
        QTest::newRow("Spice Rack") << "spiceRackLink" << main + "/help/spices.html";
        QTest::newRow("Food Equivalents") << "foodEquivalentsLink" << main + "/help/equiv.html";
        QTest::newRow("Substitutions") << "substitutionsLink" << main + "/help/substitutions.html";
        QTest::newRow("Conversions") << "conversionsLink" << main + "/help/convert.html";
        QTest::newRow("Measures") << "measuresLink" << main + "/help/usmeasure.html";
        QTest::newRow("Kitchen Store") << "kitchenStoreLink" << main + "/mall.html";
        QTest::newRow("Free Recipes, on the archive site") << "freeRecipesLink" << "http://recipes.kettlebay.com/recipes/index.cgi";
        QTest::newRow("Quick Dish Archive") << "quickDishArchiveLink" << main + "/qdarchive.html";
        QTest::newRow("Cooking Class") << "cookingClassLink" << main + "/shows.html";
        for (const char *label : {"clickHintLabel", "siteTitleLabel", "siteTextLabel", "visitLabel", "resourcesFrame"})
            QTest::addRow("%s opens nothing", label) << label << "";
    }
    void linksOpenTheirPages()
    {
        QFETCH(QString, link);
        QFETCH(QString, address);
        m_window->child<TabbedPages>("tabs")->setCurrentIndex(1);
        UrlRecorder desktop;
        QTest::mouseClick(m_window->child(qPrintable(link)), Qt::LeftButton);
        QCOMPARE(desktop.urls, address.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(address)});
        QCOMPARE(m_window->counter(), "Record 2 of 3");
        QVERIFY(!m_window->window->logic().hasUnsavedChanges());
    }

    void helpNamesWhomToContactOrOpensTheHelpFile()
    {
        UrlRecorder desktop;
        PromptRecorder prompts;
        m_window->child<QAction>("contentsAction")->trigger(); // no help file: whom to contact, under the window's caption
        m_window->window->setWindowTitle("Larderly - Soup");
        m_window->child<QAction>("contentsAction")->trigger();
        m_window->window->setWindowTitle("Larderly");
        QCOMPARE(prompts.texts(), QStringList(2, "If you need help: Contact support@kettlebay.com"));
        QCOMPARE(prompts.requests[0].caption, "Larderly");
        QCOMPARE(prompts.requests[1].caption, "Larderly - Soup");
        QCOMPARE(prompts.requests[1].icon, MessageBox::Information);
        QCOMPARE(prompts.requests[1].buttons, MessageBox::Ok);
        QVERIFY(QDir::setCurrent(m_window->dir.path()));
        HelpContents::show(nullptr, "Larderly", "help files/#1.html"); // a help file goes to the viewer,
        QCOMPARE(desktop.urls.value(0), QUrl::fromLocalFile(m_window->path("help files/#1.html")));
        UrlOpener::setHandler([](const QUrl &) { throw RuntimeError(53, "No help viewer <found>"); });
        HelpContents::show(nullptr, "Larderly - Soup", "/opt/larderly.html"); // whose failure is one message
        QCOMPARE(prompts.texts().value(2), "No help viewer <found>");
        QCOMPARE(prompts.requests.value(2).caption, QString());
        QCOMPARE(prompts.requests.value(2).icon, MessageBox::NoIcon);
    }

    void messageBoxesDialogsAndMenusShowTheWindowsFont_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("the message that the recipes are open elsewhere") << "refusal";
        QTest::newRow("a message box") << "message box";
        QTest::newRow("the print progress dialog") << "progress dialog";
        QTest::newRow("the File menu") << "menu";
    }
    void messageBoxesDialogsAndMenusShowTheWindowsFont()
    {
        QFETCH(QString, window);
        RealMessageBoxes real;
        struct SystemFont
        {
            SystemFont() { QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)); }
            ~SystemFont() { QApplication::setFont(before); }
            const QFont before = QApplication::font();
        } monospaced;
        Started program;
        program.put("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        QString family;
        const auto messageFont = [&family](QWidget *box) {
            family = QFontInfo(box->findChild<QLabel *>("qt_msgbox_label")->font()).family();
            box->close();
        };
        if (window == "refusal") {
            QProcess other;
            other.start(QCoreApplication::applicationDirPath() + "/../store/savechild", {"lock", program.dir.path()});
            QVERIFY(other.waitForReadyRead(10000) && other.readAll() == "locked\n");
            onModal(messageFont);
            QCOMPARE(program.start(), "refused");
            QCOMPARE(family, "Liberation Sans");
            return;
        }
        QCOMPARE(program.start(), "Record 1 of 1");
        MainWindow *main = program.larderly->mainWindow();
        if (window == "message box") {
            onModal(messageFont);
            MessageBox::message(main, "Saved.");
        } else if (window == "progress dialog") {
            PrintProgressDialog progress(main, 0);
            QVERIFY(!progress.cancelled(0, 10));
            family = QFontInfo(main->findChild<QProgressDialog *>("printProgress")->font()).family();
        } else {
            family = QFontInfo(main->menuBar()->actions().constFirst()->menu()->font()).family();
        }
        const QString windows = QFontInfo(main->findChild<QLineEdit *>("nameEdit")->font()).family();
        QVERIFY(program.close());
        QCOMPARE(windows, "Liberation Sans");
        QCOMPARE(family, windows);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
