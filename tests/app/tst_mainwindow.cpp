#include "ClockStatusBar.h"
#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "Startup.h"
#include "TabControl.h"
#include "WindowFixture.h"
#include "frmSplash.h"

namespace {

const QByteArray ThreeRecipes = "3,1\r\n"
                                "\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
                                "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n"
                                "\"Toast\"\r\n\"1 min\"\r\n\"2 min\"\r\n\"1\"\r\n\"Bread\"\r\n\"Toast it.\"\r\n";

// The control that has the focus in the window (the tab strip counts as SSTab1).
QString focusName(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    return !focus ? QString() : qobject_cast<QTabBar *>(focus) ? QStringLiteral("SSTab1") : focus->objectName();
}

// The program started from another folder than its own.
struct Started : Folder
{
    Started() { QDir::setCurrent(elsewhere.path()); }
    ~Started() { QDir::setCurrent(QCoreApplication::applicationDirPath()); }
    QString start()
    {
        Startup::Main(dir.path());
        return Startup::mainWindow()->isVisible() ? Startup::mainWindow()->findChild<QLabel *>("lblCurrRecord")->text() : "hidden";
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
    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        struct Control { const char *name, *kind, *container; int left, top, width, height; const char *text, *tip; };
        const char *visit = "Click Here to Visit";
        const Control controls[] = {
            {"Image2", "QLabel", "", 0, 0, 7020, 4530, nullptr, ""},
            {"SSTab1", "TabControl", "", 120, 120, 6735, 4335, nullptr, ""},
            {"sbStatusBar", "QStatusBar", "", 0, 4485, 6990, 270, nullptr, ""},
            {"Label1", "QLabel", "SSTab1", 120, 420, 1095, 255, "Name of Dish:", ""},
            {"txtName", "QLineEdit", "SSTab1", 1200, 420, 5295, 285, "", ""},
            {"Label3", "QLabel", "SSTab1", 120, 780, 1455, 255, "Preparation Time:", ""},
            {"txtPrep", "QLineEdit", "SSTab1", 1440, 780, 855, 285, "", ""},
            {"Label4", "QLabel", "SSTab1", 2640, 780, 1095, 255, "Cooking Time:", ""},
            {"txtCook", "QLineEdit", "SSTab1", 3720, 780, 855, 285, "", ""},
            {"Label2", "QLabel", "SSTab1", 4920, 780, 735, 255, "Servings:", ""},
            {"txtServe", "QLineEdit", "SSTab1", 5640, 780, 855, 285, "", ""},
            {"Label5", "QLabel", "SSTab1", 120, 1140, 975, 255, "Ingredients:", ""},
            {"txtIngredients", "QPlainTextEdit", "SSTab1", 120, 1380, 3135, 2175, nullptr, ""},
            {"Label6", "QLabel", "SSTab1", 3360, 1140, 975, 255, "Directions:", ""},
            {"txtDirections", "QPlainTextEdit", "SSTab1", 3360, 1380, 3135, 2175, nullptr, ""},
            {"cmdPrintSingle", "QPushButton", "SSTab1", 120, 3720, 1380, 345, "&Print This Recipe", ""},
            {"lblCurrRecord", "QLabel", "SSTab1", 1605, 3780, 3450, 255, "No Records", ""},
            {"cmdPrevious", "QPushButton", "SSTab1", 5160, 3660, 615, 495, "<<", ""},
            {"cmdNext", "QPushButton", "SSTab1", 5880, 3660, 615, 495, ">>", ""},
            {"Image1", "QLabel", "SSTab1", 0, 480, 2400, 2250, nullptr, visit},
            {"Label17", "QLabel", "SSTab1", 3960, 360, 2655, 255, "Click On Blue Colored Text To Visit.", ""},
            {"Label7", "QLabel", "SSTab1", 2400, 720, 4095, 255, "Kettlebay - Free Online Recipe Database", ""},
            {"Label8", "QLabel", "SSTab1", 2400, 960, 4095, 1215,
             "What's for Dinner? If you're in need of some TERRIFIC ideas you'll want to visit Kettlebay. Search the "
             "enormous recipe database, read helpful articles, even order cookbooks and kitchen gadgets. This remarkable "
             "site has a wealth of valuable information  that will make your meals more EXCITING!", ""},
            {"Label9", "QLabel", "SSTab1", 2400, 2280, 3975, 255, "Visit us today at:", ""},
            {"Label10", "QLabel", "SSTab1", 2400, 2520, 3975, 255, "http://www.kettlebay.com", "Click Here to Visit!"},
            {"Frame1", "QGroupBox", "SSTab1", 120, 2880, 6495, 1335, "Helpful Resources", ""},
            {"Label11", "QLabel", "Frame1", 120, 360, 2055, 255, "Spice Rack", visit},
            {"Label12", "QLabel", "Frame1", 120, 600, 2055, 255, "Food Equivalents", visit},
            {"Label13", "QLabel", "Frame1", 120, 840, 2055, 255, "Substitutions", visit},
            {"Label14", "QLabel", "Frame1", 2400, 360, 1815, 255, "Conversions", visit},
            {"Label15", "QLabel", "Frame1", 2400, 600, 1815, 255, "Measures", visit},
            {"Label16", "QLabel", "Frame1", 2400, 840, 1815, 255, "Kitchen Store", visit},
            {"Label18", "QLabel", "Frame1", 4320, 360, 1815, 255, "Free Recipes", visit},
            {"Label19", "QLabel", "Frame1", 4320, 600, 2055, 255, "Quick Dish Archive", ""},
            {"Label20", "QLabel", "Frame1", 4320, 840, 2055, 255, "Cooking Class", ""},
        };
        for (const Control &c : controls)
            QTest::newRow(c.name) << c.name << c.kind << c.container << QRect(c.left, c.top, c.width, c.height)
                                  << QString::fromUtf8(c.text) << QString::fromUtf8(c.tip);
    }
    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        WindowFixture w;
        auto *control = w.window->findChild<QWidget *>(name);
        QVERIFY2(control && control->inherits(kind.toLatin1()), qPrintable(name));
        QWidget *origin = container.isEmpty() ? w.window->centralWidget() : w.window->findChild<QWidget *>(container);
        const QPoint at = control->mapTo(w.window.get(), QPoint()) - origin->mapTo(w.window.get(), QPoint());
        const auto px = [](int twips) { return qRound(twips / 15.0); };
        QCOMPARE(QRect(at, control->size()), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
        QCOMPARE(control->toolTip(), tip);
        QString shown = text;
        if (auto *label = qobject_cast<QLabel *>(control))
            shown = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            shown = button->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(control))
            shown = frame->title();
        else if (auto *box = qobject_cast<QLineEdit *>(control))
            shown = box->text();
        QCOMPARE(shown, text);
        QCOMPARE(control->focusPolicy() != Qt::NoFocus, kind == "QLineEdit" || kind == "QPlainTextEdit" || kind == "QPushButton");
    }

    void windowIsFixedWithItsPagesColoursAndPictures()
    {
        WindowFixture w;
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Larderly"));
        QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
        const Qt::WindowFlags flags = w.window->windowFlags();
        QCOMPARE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        const QRect client = w.window->centralWidget()->geometry();
        QCOMPARE(client.top(), w.window->menuBar()->geometry().bottom() + 1);
        QCOMPARE(QSize(client.width(), w.window->height() - client.top()), QSize(466, 317));

        auto *tabs = w.child<TabControl>("SSTab1");
        QCOMPARE(tabs->tabBar()->count(), 2);
        QCOMPARE(tabs->tabBar()->tabText(0) + "|" + tabs->tabBar()->tabText(1), QStringLiteral("My Recipes|Resources"));
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(tabs->tabBar()->height() < 24); // every control on a page starts 24 px or more down
        QVERIFY(w.child("txtName")->isVisible() && !w.child("Label11")->isVisible());

        for (const char *name : {"Label1", "txtIngredients", "cmdNext"})
            QCOMPARE(w.child(name)->font().pointSizeF(), 8.25);
        QVERIFY(w.child("Label7")->font().bold() && !w.child("Label9")->font().bold());
        for (const char *name : {"Label10", "Label11", "Label16", "Label18", "Label20"})
            QCOMPARE(w.child(name)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(w.child("Label17")->palette().color(QPalette::WindowText) != QColor(0, 0, 255));
        QCOMPARE(w.child("background")->palette().color(QPalette::Window), QColor(0xC0, 0, 0));

        const QImage board = w.child<QLabel>("Image2")->pixmap().toImage();
        QCOMPARE(board.size(), QSize(468, 302));
        QCOMPARE(board.pixelColor(11, 11), QColor(0xC6, 0, 0));
        QCOMPARE(board.pixelColor(12, 0), QColor(Qt::white));
        QCOMPARE(board.pixelColor(12, 12), QColor(0xC6, 0, 0));
        QCOMPARE(w.child<QLabel>("Image1")->pixmap().size(), QSize(160, 150));
        QCOMPARE(w.window->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32), QSize(16, 16)}));
    }

    void menusHoldTheirItemsAndShortcuts()
    {
        WindowFixture w;
        QStringList menus;
        for (QAction *menu : w.window->menuBar()->actions()) {
            menus << menu->menu()->objectName() + " " + menu->text();
            for (QAction *item : menu->menu()->actions()) {
                QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
                menus << "  " + item->objectName() + (item->isSeparator() ? QString() : " " + item->text())
                           + (item->shortcut().isEmpty() ? QString() : " " + item->shortcut().toString());
            }
        }
        QCOMPARE(menus, QStringList({"mnuFile &File", "  mnuFileSave &Save", "  mnuFilePrint &Print All...",
                                     "  mnuFileBar0", "  mnuFileExit E&xit", "mnuRecords &Recipes",
                                     "  mnuRecordsAdd &Add Ctrl+A", "  mnuRecordsDelete &Delete Ctrl+D",
                                     "  mnuRecordsSep10", "  mnuRecordsSearch &Search Ctrl+S",
                                     "  mnuRecordsFindNext Find Nex&t F3", "  mnuRecordsSep20",
                                     "  mnuRecordsPrevious &Previous F11", "  mnuRecordsNext &Next F12",
                                     "  mnuRecordsFirst &First Recipe Ctrl+F11", "  mnuRecordsLast &Last Recipe Ctrl+F12",
                                     "mnuHelp &Help", "  mnuHelpContents &Contents", "  mnuHelpAbout &About "}));
    }

    void tabMovesTheFocusInTheLayoutsOrder()
    {
        WindowFixture w(ThreeRecipes);
        w.child<TabControl>("SSTab1")->tabBar()->setFocus();
        QStringList order;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focusName(w.window.get());
        }
        QCOMPARE(order, QStringList({"txtName", "txtServe", "txtPrep", "txtCook", "txtIngredients", "txtDirections",
                                     "cmdPrevious", "cmdNext", "cmdPrintSingle", "SSTab1"}));
    }

    void statusBarShowsStatusDateAndTime()
    {
        WindowFixture w;
        auto *bar = w.child<ClockStatusBar>("sbStatusBar");
        QCOMPARE(bar->panelText(0), QStringLiteral("Status"));
        QTRY_COMPARE(bar->panelText(1), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        QTRY_COMPARE(bar->panelText(2), QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
        for (const char *panel : {"panelStatus", "panelDate", "panelTime"})
            QVERIFY(w.child(panel)->width() >= 96);
    }

    void keysWorkFromEveryBoxAndPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("Ctrl+A in a box adds, not selects") << 0 << "txtPrep" << (Qt::CTRL | Qt::Key_A) << "Record 4 of 4" << "txtName";
        QTest::newRow("Ctrl+D in a box asks, then deletes") << 0 << "txtIngredients" << (Qt::CTRL | Qt::Key_D) << "Record 1 of 2" << "txtIngredients";
        QTest::newRow("F12 in a box moves on") << 0 << "txtName" << QKeyCombination(Qt::Key_F12) << "Record 2 of 3" << "txtName";
        QTest::newRow("Ctrl+F12 on the Resources page") << 1 << "" << (Qt::CTRL | Qt::Key_F12) << "Record 3 of 3" << "";
        QTest::newRow("Ctrl+S searches, and does not save") << 0 << "txtName" << (Qt::CTRL | Qt::Key_S) << "Record 3 of 3" << "txtDirections";
        QTest::newRow("F3 before any search asks for the text") << 0 << "txtCook" << QKeyCombination(Qt::Key_F3) << "Record 3 of 3" << "txtDirections";
    }
    void keysWorkFromEveryBoxAndPage()
    {
        QFETCH(int, page);
        QFETCH(QString, focus);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, counter);
        QFETCH(QString, focusAfter);
        WindowFixture w(ThreeRecipes);
        auto *tabs = w.child<TabControl>("SSTab1");
        tabs->setCurrentIndex(page);
        if (!focus.isEmpty())
            w.type(focus.toLatin1().constData(), QString());
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Yes};
        const bool search = key.key() == Qt::Key_S || key.key() == Qt::Key_F3;
        bool searched = false;
        if (search) {
            onModal([&](QWidget *dialog) {
                searched = dialog->objectName() == "frmSearch";
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("TOAST IT"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.window.get(), key.key(), key.keyboardModifiers());
        QCOMPARE(w.counter(), counter);
        QCOMPARE(tabs->currentIndex(), page); // nothing switches pages
        if (page == 0)
            QCOMPARE(focusName(w.window.get()), focusAfter);
        QCOMPARE(searched, search);
        QCOMPARE(prompts.texts().size(), key.key() == Qt::Key_D ? 1 : 0);
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
        QCOMPARE(w.counter(), QStringLiteral("Record 1 of 2"));
        w.window->close();
        QCOMPARE(w.bytes(), file);

        WindowFixture edited(file);
        edited.type("txtIngredients", "e", Qt::CTRL | Qt::Key_End);
        QTest::keyClick(edited.child("txtIngredients"), Qt::Key_Return);
        edited.type("txtIngredients", "f\u00a0");
        const QString longName(40000, u'x'); // no length limit
        edited.child<QLineEdit>("txtName")->setText(longName);
        edited.type("txtName", "!");
        edited.window->findChild<QAction *>("mnuFileSave")->trigger();
        QCOMPARE(edited.list.Recipes(1).Ingredients, QStringLiteral("a\r\nb\r\nc\r\nd\r\ne\r\nf\u00a0"));
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
        QTest::keyClick(w.window.get(), Qt::Key_F12);
        w.type("txtCook", " or so", Qt::Key_End);
        exitMenu ? w.window->findChild<QAction *>("mnuFileExit")->trigger() : void(w.window->close());
        QVERIFY(!w.window->isVisible());
        QVERIFY(w.bytes().startsWith("3,2\r\n"));
        QVERIFY(w.bytes().contains("\"Tea\"\r\n\"\"\r\n\"5 min or so\"\r\n"));
    }

    void failedSaveAtCloseKeepsTheWindowOpenUnlessTheUserSaysClose()
    {
        WindowFixture w(ThreeRecipes);
        QVERIFY(QFile::setPermissions(w.path(), QFile::ReadOwner));
        w.type("txtName", "!");
        PromptRecorder prompts;
        prompts.answers = {MessageBox::Ok, MessageBox::No, MessageBox::Ok, MessageBox::Yes};
        w.window->close();
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.child<QLineEdit>("txtName")->text(), QStringLiteral("!Soup"));
        w.window->close();
        QVERIFY(!w.window->isVisible());
        QCOMPARE(prompts.texts().size(), 4);
        QCOMPARE(w.bytes(), ThreeRecipes);
    }
    void firstStartWithoutAFileIsEmptyAndCreatesItOnClose()
    {
        Started program;
        PromptRecorder prompts;
        QCOMPARE(program.start(), "No Records");
        QVERIFY(!Startup::mainWindow()->findChild<QWidget *>("txtName")->isEnabled());
        QCOMPARE(QDir::currentPath(), QDir(program.dir.path()).canonicalPath());
        QVERIFY(program.close());
        QCOMPARE(prompts.texts(), QStringList());
        QCOMPARE(program.bytes(), "0,0\r\n");
        QVERIFY(QDir(program.elsewhere.path()).isEmpty());
    }

    void reopensAtTheRecipeThatWasCurrentAtClose()
    {
        Started program;
        RecipeList nine = numbered(9, 4);
        RecipeFile(nine, program.dir.path(), {}).SaveRecipes();
        QCOMPARE(program.start(), "Record 4 of 9");
        Startup::mainWindow()->findChild<QAction *>("mnuRecordsNext")->trigger();
        QVERIFY(program.close());
        QCOMPARE(program.start(), "Record 5 of 9");
        QVERIFY(program.close());
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

    void splashShowsTitleAndVersionWithoutTitleBarTaskbarEntryOrInput()
    {
        frmSplash splash;
        QCOMPARE(splash.size(), QSize(491, 308));
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // kept out of the taskbar
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint && splash.windowFlags() & Qt::WindowTransparentForInput);
        const auto label = [&](const char *name) { return splash.findChild<QLabel *>(name); };
        QCOMPARE(label("lblProductName")->text() + "|" + label("lblVersion")->text() + "|" + label("lblPlatform")->text(),
                 "Larderly|Version 1.0.0|Platform");
        QCOMPARE(label("lblCompanyProduct")->font().pointSizeF(), 18.0);
        QCOMPARE(splash.findChild<QWidget *>("fraMainFrame")->geometry(), QRect(16, 16, 460, 273));
        // Auto-sized labels fit their text and keep their top-left corner.
        QCOMPARE(label("lblVersion")->geometry(), QRect(QPoint(352, 136), label("lblVersion")->sizeHint()));
        QCOMPARE(label("lblPlatform")->geometry(), QRect(QPoint(352, 112), label("lblPlatform")->sizeHint()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
