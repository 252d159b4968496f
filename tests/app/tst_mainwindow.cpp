#include "ClockStatusBar.h"
#include "RecipeFile.h"
#include "Startup.h"
#include "TabControl.h"
#include "TerminationSignals.h"
#include "Testing.h"
#include "frmAbout.h"
#include "frmSplash.h"

#include <csignal>

namespace {

const QByteArray ThreeRecipes = "3,2\r\n\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
                                "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n"
                                "\"Toast\"\r\n\"1 min\"\r\n\"2 min\"\r\n\"1\"\r\n\"Bread\"\r\n\"Toast it.\"\r\n";

QString focusName(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    return qobject_cast<QTabBar *>(focus) ? "SSTab1" : focus ? focus->objectName() : QString();
}

// Where a control stands in twips from the corner of its container, with its text and tooltip.
QString placed(QWidget *control, QWidget *container)
{
    QWidget *window = control->window();
    const QRect r(control->mapTo(window, QPoint()) - container->mapTo(window, QPoint()), control->size());
    const QString text = control->property(qobject_cast<QGroupBox *>(control) ? "title" : "text").toString();
    return QStringLiteral("%1 %2,%3 %4x%5").arg(control->objectName()).arg(r.x() * 15).arg(r.y() * 15).arg(r.width() * 15)
        .arg(r.height() * 15) + (text.isEmpty() ? "" : " " + text) + (control->toolTip().isEmpty() ? "" : " tip:" + control->toolTip());
}

// The program started from another folder than its own.
struct Started : Folder
{
    Started() { QDir::setCurrent(elsewhere.path()); }
    ~Started() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }
    QString start()
    {
        Startup::Main(dir.path());
        return Startup::mainWindow()->isVisible() ? Startup::mainWindow()->findChild<QLabel *>("lblCurrRecord")->text() : "";
    }
    bool close()
    {
        Startup::mainWindow()->close();
        return QTest::qWaitFor([] { return !Startup::mainWindow(); }, 5000); // deleted once closed
    }
    QTemporaryDir elsewhere;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheLayoutPutsThem()
    {
        WindowFixture w;
        QStringList seen;
        for (const char *name : {"Image2", "SSTab1", "sbStatusBar"})
            seen << placed(w.child(name), w.window->centralWidget());
        for (const char *name : {"Label1", "txtName", "Label3", "txtPrep", "Label4", "txtCook", "Label2", "txtServe", "Label5",
                                 "txtIngredients", "Label6", "txtDirections", "cmdPrintSingle", "lblCurrRecord", "cmdPrevious",
                                 "cmdNext", "Image1", "Label17", "Label7", "Label8", "Label9", "Label10", "Frame1"})
            seen << placed(w.child(name), w.child("SSTab1"));
        for (const char *name : {"Label11", "Label12", "Label13", "Label14", "Label15", "Label16", "Label18", "Label19", "Label20"})
            seen << placed(w.child(name), w.child("Frame1"));
        QCOMPARE(seen, dataLines(QFINDTESTDATA("mainwindow.txt")).mid(0, 35));
        QVERIFY(w.child<QPlainTextEdit>("txtDirections") && w.child<QLineEdit>("txtServe"));
    }

    void windowIsFixedWithItsPagesColoursAndPictures()
    {
        WindowFixture w;
        QCOMPARE(w.window->windowTitle(), "Larderly");
        QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
        QCOMPARE(w.window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        const QRect client = w.window->centralWidget()->geometry();
        QCOMPARE(client.top(), w.window->menuBar()->geometry().bottom() + 1);
        QCOMPARE(QSize(client.width(), w.window->height() - client.top()), QSize(466, 317));
        auto *tabs = w.child<TabControl>("SSTab1");
        QCOMPARE(tabs->tabBar()->tabText(0) + "|" + tabs->tabBar()->tabText(1) + "|" + QString::number(tabs->tabBar()->count()), "My Recipes|Resources|2");
        QVERIFY(tabs->currentIndex() == 0 && tabs->tabBar()->height() < 24); // controls start 24 px down
        QVERIFY(w.child("txtName")->isVisible() && !w.child("Label11")->isVisible());
        QVERIFY(w.child("Label7")->font().bold() && !w.child("Label9")->font().bold() && w.child("cmdNext")->font().pointSizeF() == 8.25);
        QCOMPARE(w.child("Label18")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(w.child("Label17")->palette().color(QPalette::WindowText) != QColor(0, 0, 255));
        QCOMPARE(w.child("background")->palette().color(QPalette::Window), QColor(0xC0, 0, 0));
        const QImage board = w.child<QLabel>("Image2")->pixmap().toImage();
        QVERIFY(board.size() == QSize(468, 302) && board.pixelColor(12, 0) == Qt::white);
        QVERIFY(board.pixelColor(11, 11) == QColor(0xC6, 0, 0) && board.pixelColor(12, 12) == QColor(0xC6, 0, 0));
        QCOMPARE(w.child<QLabel>("Image1")->pixmap().size(), QSize(160, 150));
        QCOMPARE(w.window->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32), QSize(16, 16)}));
        auto *bar = w.child<ClockStatusBar>("sbStatusBar");
        QCOMPARE(bar->panelText(0), "Status");
        QTRY_COMPARE(bar->panelText(1) + " " + bar->panelText(2), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)
                     + " " + QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
        QVERIFY(w.child("panelDate")->width() >= 96 && w.child("panelTime")->width() >= 96);
    }

    void menusHoldTheirItemsAndShortcuts()
    {
        WindowFixture w;
        QStringList menus;
        for (QAction *menu : w.window->menuBar()->actions()) {
            menus << menu->menu()->objectName() + " \"" + menu->text() + "\"";
            for (QAction *item : menu->menu()->actions()) {
                QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
                menus << "  " + item->objectName() + (item->isSeparator() ? "" : " \"" + item->text() + "\"")
                           + (item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString());
            }
        }
        QCOMPARE(menus, dataLines(QFINDTESTDATA("mainwindow.txt")).mid(35));
    }

    void focusStartsOnTheTabStripAndTabFollowsTheLayout()
    {
        WindowFixture w(ThreeRecipes);
        QStringList order{focusName(w.window.get())};
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName(w.window.get());
        }
        QCOMPARE(order, QStringList({"SSTab1", "txtName", "txtServe", "txtPrep", "txtCook", "txtIngredients", "txtDirections",
                                     "cmdPrevious", "cmdNext", "cmdPrintSingle", "SSTab1"}));
    }

    void keysWorkFromEveryBoxAndPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("after"); // the counter, the focus and the messages
        QTest::newRow("Ctrl+A in a box adds, not selects") << 0 << "txtPrep" << (Qt::CTRL | Qt::Key_A) << "Record 4 of 4 txtName";
        QTest::newRow("Ctrl+D in a box asks, then deletes") << 0 << "txtName" << (Qt::CTRL | Qt::Key_D) << "Record 2 of 2 txtName Are you sure you want to delete Tea?";
        QTest::newRow("F12 in a box moves on") << 0 << "txtIngredients" << QKeyCombination(Qt::Key_F12) << "Record 3 of 3 txtIngredients";
        QTest::newRow("Ctrl+F12 on the Resources page stays there") << 1 << "" << (Qt::CTRL | Qt::Key_F12) << "Record 3 of 3";
        QTest::newRow("Ctrl+S searches, and does not save") << 0 << "txtName" << (Qt::CTRL | Qt::Key_S) << "Record 3 of 3 txtDirections";
        QTest::newRow("F3 before any search asks for the text") << 0 << "txtCook" << QKeyCombination(Qt::Key_F3) << "Record 3 of 3 txtDirections";
        QTest::newRow("Enter on a focused >> presses it") << 0 << "cmdNext" << QKeyCombination(Qt::Key_Return) << "Record 3 of 3 cmdNext";
        QTest::newRow("Enter on a focused << presses it") << 0 << "cmdPrevious" << QKeyCombination(Qt::Key_Return) << "Record 1 of 3 cmdPrevious";
        QTest::newRow("Enter on Print This Recipe prints") << 0 << "cmdPrintSingle" << QKeyCombination(Qt::Key_Return)
            << "Record 2 of 3 cmdPrintSingle No printer is installed, so the document was saved as a PDF file:";
    }
    void keysWorkFromEveryBoxAndPage()
    {
        QFETCH(int, page);
        QFETCH(QString, focus);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, after);
        WindowFixture w(ThreeRecipes);
        w.child<TabControl>("SSTab1")->setCurrentIndex(page);
        if (!focus.isEmpty())
            w.type(focus.toLatin1().constData(), QString());
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes};
        if (key.key() == Qt::Key_S || key.key() == Qt::Key_F3) {
            onModal([](QWidget *dialog) {
                QTest::keyClicks(dialog->focusWidget(), "TOAST IT");
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            });
        }
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        QCOMPARE(QStringList({w.counter(), page ? "" : focusName(w.window.get()), prompts.texts().join(u' ').section(u'\n', 0, 0)}).join(u' ').trimmed(), after);
        QCOMPARE(w.child<TabControl>("SSTab1")->currentIndex(), page); // nothing switches pages
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
        w.window->close();
        QCOMPARE(w.bytes(), file);

        WindowFixture edited(file);
        edited.type("txtIngredients", "e", Qt::CTRL | Qt::Key_End);
        QTest::keyClick(edited.child("txtIngredients"), Qt::Key_Return);
        edited.type("txtIngredients", "f\u00a0");
        const QString longName(40000, u'x'); // no length limit
        edited.child<QLineEdit>("txtName")->setText(longName);
        edited.type("txtName", "!");
        edited.child<QAction>("mnuFileSave")->trigger();
        QCOMPARE(edited.list.Recipes(1).Ingredients, "a\r\nb\r\nc\r\nd\r\ne\r\nf\u00a0");
        QCOMPARE(edited.list.Recipes(1).Name, longName + u'!');
    }

    void closingByAnyMeansStoresAndSaves_data()
    {
        QTest::addColumn<bool>("exitMenu");
        QTest::newRow("File > Exit") << true;
        QTest::newRow("close box") << false;
    }
    void closingByAnyMeansStoresAndSaves()
    {
        QFETCH(bool, exitMenu);
        WindowFixture w(ThreeRecipes);
        w.type("txtCook", " or so", Qt::Key_End);
        exitMenu ? w.child<QAction>("mnuFileExit")->trigger() : void(w.window->close());
        QVERIFY(!w.window->isVisible());
        QVERIFY(w.bytes().startsWith("3,2\r\n") && w.bytes().contains("\"Tea\"\r\n\"\"\r\n\"5 min or so\"\r\n"));
    }

    void failedSaveAtCloseKeepsTheWindowOpenUnlessTheUserSaysClose()
    {
        WindowFixture w(ThreeRecipes);
        QVERIFY(QFile::setPermissions(w.path(), QFile::ReadOwner));
        w.type("txtName", "!");
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Ok, MessageBox::No, MessageBox::Ok, MessageBox::Yes};
        w.window->close();
        QVERIFY(w.window->isVisible() && w.child<QLineEdit>("txtName")->text() == "!Tea");
        w.window->close();
        QVERIFY(!w.window->isVisible() && prompts.texts().size() == 4);
        QCOMPARE(w.bytes(), ThreeRecipes);
    }

    void startsFromAnotherFolderAndReopensWhereItClosed()
    {
        Started program;
        PromptRecorder prompts;
        QCOMPARE(program.start(), "No Records");
        QVERIFY(!Startup::mainWindow()->findChild<QWidget *>("txtName")->isEnabled());
        QCOMPARE(QDir::currentPath(), QDir(program.dir.path()).canonicalPath());
        QVERIFY(program.close());
        QCOMPARE(program.bytes(), "0,0\r\n"); // the first close creates the file
        QVERIFY(QDir(program.elsewhere.path()).isEmpty());
        RecipeList nine = numbered(9, 4);
        RecipeFile(nine, program.dir.path(), {}).SaveRecipes();
        QCOMPARE(program.start(), "Record 4 of 9");
        Startup::mainWindow()->findChild<QAction *>("mnuRecordsNext")->trigger();
        QVERIFY(program.close());
        QCOMPARE(program.start(), "Record 5 of 9");
        QVERIFY(program.close());
        QCOMPARE(prompts.texts(), QStringList());
    }

    void recipesOpenElsewhereAreNotReadAgain_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<bool>("refused");
        QTest::newRow("this program's own window") << "window" << true;
        QTest::newRow("another running program") << "running" << true;
        QTest::newRow("a lock left by a killed program is taken over") << "killed" << false;
    }
    void recipesOpenElsewhereAreNotReadAgain()
    {
        QFETCH(QString, holder);
        QFETCH(bool, refused);
        Started program;
        program.put("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        QProcess other;
        if (holder == "window") {
            QCOMPARE(program.start(), "Record 1 of 1");
        } else {
            other.start(QCoreApplication::applicationDirPath() + "/../store/savechild", {"lock", program.dir.path()});
            QVERIFY(other.waitForReadyRead(10000) && other.readAll() == "locked\n");
            QFile lock(program.path("RECIPES.LCK")); // however long ago it was taken
            QVERIFY(lock.open(QIODevice::ReadWrite) && lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFile::FileModificationTime));
            if (holder == "killed") {
                other.kill();
                QVERIFY(other.waitForFinished());
            }
        }
        QPointer<frmMain> first = Startup::mainWindow();
        PromptRecorder prompts;
        QCOMPARE(Startup::Main(program.dir.path()), !refused);
        QCOMPARE(prompts.texts(), refused ? QStringList{"The recipes in " + program.dir.path() + " are already open in another Larderly window."}
                                          : QStringList());
        QCOMPARE(Startup::mainWindow() == first, refused);
        QVERIFY(!Startup::mainWindow() || program.close());
        QCOMPARE(program.bytes(), "1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        other.kill();
        other.waitForFinished();
    }

    void aSignalEndingTheSessionClosesAndSavesAsTheCloseBoxDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("aboutBoxOpen");
        QTest::newRow("SIGTERM, the session ending") << SIGTERM << false;
        QTest::newRow("SIGHUP while the About box is open") << SIGHUP << true;
        QTest::newRow("SIGINT while the About box is open") << SIGINT << true;
    }
    void aSignalEndingTheSessionClosesAndSavesAsTheCloseBoxDoes()
    {
        QFETCH(int, signal);
        QFETCH(bool, aboutBoxOpen);
        QVERIFY(TerminationSignals::install());
        Started program;
        program.put("1,1\r\n\"Soup\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        PromptRecorder prompts;
        QCOMPARE(program.start(), "Record 1 of 1");
        TerminationSignals terminations;
        connect(&terminations, &TerminationSignals::received, &Startup::closeMainWindow);
        QTest::keyClicks(Startup::mainWindow()->findChild<QLineEdit *>("txtName"), "Stew "); // typed, not stored
        QObject row; // its timers end with the row
        QTimer::singleShot(0, &row, [signal] { std::raise(signal); });
        QTimer::singleShot(5000, &row, [] { // a box the signal left open must not hang the test
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        if (aboutBoxOpen)
            Startup::mainWindow()->mnuHelpAbout_Click();
        QTRY_VERIFY_WITH_TIMEOUT(!Startup::mainWindow(), 4000);
        QCOMPARE(prompts.texts(), QStringList());
        QVERIFY(program.bytes().startsWith("1,1\r\n\"Stew Soup\"\r\n"));
    }

    void loadMessageComesUpInFrontOfTheSplashScreen()
    {
        Started program;
        program.put("2,1\r\n\"Only\"\r\n");
        PromptRecorder prompts;
        QStringList seen;
        prompts.onShow = [&] {
            for (QWidget *window : QApplication::topLevelWidgets())
                seen << window->objectName() + (window->isVisible() ? " shown" : " hidden");
        };
        QCOMPARE(program.start(), "Record 1 of 2");
        QVERIFY(prompts.texts().value(0).startsWith("Input past end of file"));
        QVERIFY(seen.contains("frmSplash shown") && seen.contains("frmMain hidden"));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(window->objectName() != "frmSplash");
        QVERIFY(program.close());
    }

    void splashDrawsARaisedFrameAroundItsClientArea()
    {
        frmSplash splash;
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
        for (Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowTransparentForInput, Qt::WindowDoesNotAcceptFocus})
            QVERIFY(splash.windowFlags() & flag);
        QWidget *client = splash.findChild<QWidget *>("clientArea");
        QCOMPARE(client->geometry(), QRect(3, 3, 491, 308));
        QCOMPARE(splash.size(), QSize(497, 314));
        const QImage shot = splash.grab().toImage();
        for (int d = 0; d < 2; ++d) { // raised: lighter at the top and left than at the bottom and right
            const QColor top = shot.pixelColor(248, d), bottom = shot.pixelColor(248, 313 - d);
            QVERIFY(shot.pixelColor(d, 157) == top && shot.pixelColor(496 - d, 157) == bottom && top.lightness() > bottom.lightness() + 64);
        }
        QCOMPARE(shot.pixelColor(3, 3), QColor(0xC6, 0x00, 0x00)); // the checkerboard's corner
        const auto label = [&](const char *name) { return splash.findChild<QLabel *>(name); };
        QCOMPARE(label("lblProductName")->text() + "|" + label("lblVersion")->text() + "|" + label("lblPlatform")->text(),
                 "Larderly|Version 1.0.0|Platform");
        QCOMPARE(client->findChild<QWidget *>("fraMainFrame")->geometry(), QRect(16, 16, 460, 273));
        QCOMPARE(label("lblVersion")->geometry(), QRect(QPoint(352, 136), label("lblVersion")->sizeHint())); // auto-sized
        QCOMPARE(label("lblCompanyProduct")->font().pointSizeF(), 18.0);
    }

    void labelsOfTheSplashAndTheAboutBoxShowTheirWholeText()
    {
        frmSplash splash;
        frmAbout about(nullptr);
        QStringList clipped;
        for (QLabel *label : splash.findChildren<QLabel *>() + about.findChildren<QLabel *>()) {
            const QRect box = label->contentsRect();
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const bool fits = box.contains(QFontMetrics(label->font()).boundingRect(box, flags, label->text()))
                && label->parentWidget()->rect().contains(label->geometry());
            if (!label->text().isEmpty() && !fits) // pictures have no text
                clipped << label->objectName();
        }
        QCOMPARE(clipped, QStringList());
        QCOMPARE(splash.findChild<QLabel *>("lblCopyright")->text(), "Copyright © 2026");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
