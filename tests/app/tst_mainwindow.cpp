#include "ClockStatusBar.h"
#include "MessageBox.h"
#include "PromptRecorder.h"
#include "RecipeFile.h"
#include "RecipeList.h"
#include "TabControl.h"
#include "frmMain.h"

#include <QtTest>
#include <QtWidgets>

namespace {

int px(int twips)
{
    return qRound(twips / 15.0);
}

// A shown main window over RECIPES.DAT in a temporary folder.
class Window
{
public:
    explicit Window(const QByteArray &file = QByteArray())
    {
        if (!file.isNull())
            write(file);
        window = std::make_unique<frmMain>(list, dir.path());
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void write(const QByteArray &bytes) const
    {
        QFile f(dir.filePath(RecipeFile::fileName()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray fileBytes() const
    {
        QFile f(dir.filePath(RecipeFile::fileName()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    QString counter() const { return child<QLabel>("lblCurrRecord")->text(); }

    QTemporaryDir dir;
    RecipeList list;
    std::unique_ptr<frmMain> window;
};

QByteArray threeRecipes()
{
    return QByteArray("3,1\r\n"
                      "\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"4\"\r\n\"Water\r\nSalt\"\r\n\"Boil.\"\r\n"
                      "\"Tea\"\r\n\"\"\r\n\"5 min\"\r\n\"1\"\r\n\"Leaves\"\r\n\"Steep.\"\r\n"
                      "\"Toast\"\r\n\"1 min\"\r\n\"2 min\"\r\n\"1\"\r\n\"Bread\"\r\n\"Toast it.\"\r\n");
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void windowHasAFixedClientAreaAndNoMaximize();
    void fontsColoursAndPictures();
    void tabMovesFocusInTheLayoutsOrder();
    void menus_data();
    void menus();
    void statusBarShowsStatusDateAndTime();
    void typedEditsAreStoredByAMoveAndShownAgain();
    void shortcutsWorkOnTheResourcesPageWithoutSwitchingPages();
    void buttonsMoveAndRefusalsBeep();
    void recipeShownAndStoredUnchangedIsByteIdentical();
    void editedMultiLineTextIsStoredWithCrLf();
    void closingStoresTheBoxesAndSaves();
    void failedSaveAtCloseKeepsTheWindowOpenOnNo();
    void ctrlAInATextBoxAddsARecipe();
    void ctrlDAsksThenDeletes();
    void ctrlSSearchesAndDoesNotSave();
};

void TestMainWindow::controlsStandWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");

    auto row = [](const char *name, const char *kind, const char *container, int l, int t, int w, int h,
                  const QString &text = QString(), const QString &tip = QString()) {
        QTest::newRow(name) << name << kind << container << QRect(l, t, w, h) << text << tip;
    };
    const QString visit = QStringLiteral("Click Here to Visit");
    row("Image2", "QLabel", "client", 0, 0, 7020, 4530);
    row("SSTab1", "TabControl", "client", 120, 120, 6735, 4335);
    row("sbStatusBar", "QStatusBar", "client", 0, 4485, 6990, 270);

    row("Label1", "QLabel", "SSTab1", 120, 420, 1095, 255, "Name of Dish:");
    row("txtName", "QLineEdit", "SSTab1", 1200, 420, 5295, 285, "");
    row("Label3", "QLabel", "SSTab1", 120, 780, 1455, 255, "Preparation Time:");
    row("txtPrep", "QLineEdit", "SSTab1", 1440, 780, 855, 285, "");
    row("Label4", "QLabel", "SSTab1", 2640, 780, 1095, 255, "Cooking Time:");
    row("txtCook", "QLineEdit", "SSTab1", 3720, 780, 855, 285, "");
    row("Label2", "QLabel", "SSTab1", 4920, 780, 735, 255, "Servings:");
    row("txtServe", "QLineEdit", "SSTab1", 5640, 780, 855, 285, "");
    row("Label5", "QLabel", "SSTab1", 120, 1140, 975, 255, "Ingredients:");
    row("txtIngredients", "QPlainTextEdit", "SSTab1", 120, 1380, 3135, 2175, "");
    row("Label6", "QLabel", "SSTab1", 3360, 1140, 975, 255, "Directions:");
    row("txtDirections", "QPlainTextEdit", "SSTab1", 3360, 1380, 3135, 2175, "");
    row("cmdPrintSingle", "QPushButton", "SSTab1", 120, 3720, 1380, 345, "&Print This Recipe");
    row("lblCurrRecord", "QLabel", "SSTab1", 1605, 3780, 3450, 255, "No Records");
    row("cmdPrevious", "QPushButton", "SSTab1", 5160, 3660, 615, 495, "<<");
    row("cmdNext", "QPushButton", "SSTab1", 5880, 3660, 615, 495, ">>");

    row("Image1", "QLabel", "SSTab1", 0, 480, 2400, 2250, QString(), visit);
    row("Label17", "QLabel", "SSTab1", 3960, 360, 2655, 255, "Click On Blue Colored Text To Visit.");
    row("Label7", "QLabel", "SSTab1", 2400, 720, 4095, 255, "Kettlebay - Free Online Recipe Database");
    row("Label8", "QLabel", "SSTab1", 2400, 960, 4095, 1215,
        "What's for Dinner? If you're in need of some TERRIFIC ideas you'll want to visit Kettlebay. Search the "
        "enormous recipe database, read helpful articles, even order cookbooks and kitchen gadgets. This "
        "remarkable site has a wealth of valuable information  that will make your meals more EXCITING!");
    row("Label9", "QLabel", "SSTab1", 2400, 2280, 3975, 255, "Visit us today at:");
    row("Label10", "QLabel", "SSTab1", 2400, 2520, 3975, 255, "http://www.kettlebay.com", visit + "!");
    row("Frame1", "QGroupBox", "SSTab1", 120, 2880, 6495, 1335, "Helpful Resources");
    row("Label11", "QLabel", "Frame1", 120, 360, 2055, 255, "Spice Rack", visit);
    row("Label12", "QLabel", "Frame1", 120, 600, 2055, 255, "Food Equivalents", visit);
    row("Label13", "QLabel", "Frame1", 120, 840, 2055, 255, "Substitutions", visit);
    row("Label14", "QLabel", "Frame1", 2400, 360, 1815, 255, "Conversions", visit);
    row("Label15", "QLabel", "Frame1", 2400, 600, 1815, 255, "Measures", visit);
    row("Label16", "QLabel", "Frame1", 2400, 840, 1815, 255, "Kitchen Store", visit);
    row("Label18", "QLabel", "Frame1", 4320, 360, 1815, 255, "Free Recipes", visit);
    row("Label19", "QLabel", "Frame1", 4320, 600, 2055, 255, "Quick Dish Archive");
    row("Label20", "QLabel", "Frame1", 4320, 840, 2055, 255, "Cooking Class");
}

void TestMainWindow::controlsStandWhereTheLayoutPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(QString, tip);

    Window w;
    QWidget *control = w.window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());

    QWidget *origin = container == "client" ? w.window->centralWidget() : w.child(container.toLatin1().constData());
    const QPoint topLeft = control->mapTo(w.window.get(), QPoint(0, 0)) - origin->mapTo(w.window.get(), QPoint(0, 0));
    QCOMPARE(QRect(topLeft, control->size()), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));

    QCOMPARE(control->toolTip(), tip);
    if (auto *label = qobject_cast<QLabel *>(control); label && !text.isNull())
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), text);
    if (auto *box = qobject_cast<QGroupBox *>(control))
        QCOMPARE(box->title(), text);
    if (auto *line = qobject_cast<QLineEdit *>(control))
        QCOMPARE(line->text(), text);
}

void TestMainWindow::windowHasAFixedClientAreaAndNoMaximize()
{
    Window w;
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Larderly"));
    QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
    const Qt::WindowFlags flags = w.window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);

    const QRect client = w.window->centralWidget()->geometry();
    QCOMPARE(client.top(), w.window->menuBar()->geometry().bottom() + 1);
    QCOMPARE(QSize(client.width(), w.window->height() - client.top()), QSize(466, 317));

    auto *tabs = w.child<TabControl>("SSTab1");
    QCOMPARE(tabs->tabBar()->count(), 2);
    QCOMPARE(tabs->tabBar()->tabText(0), QStringLiteral("My Recipes"));
    QCOMPARE(tabs->tabBar()->tabText(1), QStringLiteral("Resources"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(tabs->tabBar()->height() < 24); // every control on a page starts 24 px or more down
}

void TestMainWindow::fontsColoursAndPictures()
{
    Window w;
    for (const char *name : {"Label1", "txtName", "txtIngredients", "Label9", "cmdNext"}) {
        QCOMPARE(w.child(name)->font().pointSizeF(), 8.25);
        QVERIFY(!w.child(name)->font().bold());
    }
    QVERIFY(w.child("Label7")->font().bold());

    const QColor blue(0, 0, 255);
    for (const char *name : {"Label10", "Label11", "Label12", "Label13", "Label14", "Label15", "Label16",
                             "Label18", "Label19", "Label20"})
        QCOMPARE(w.child(name)->palette().color(QPalette::WindowText), blue);
    QVERIFY(w.child("Label17")->palette().color(QPalette::WindowText) != blue);
    QVERIFY(w.child("Label1")->autoFillBackground());
    QCOMPARE(w.child("background")->palette().color(QPalette::Window), QColor(0xC0, 0, 0));

    const QImage board = w.child<QLabel>("Image2")->pixmap().toImage();
    QCOMPARE(board.size(), QSize(468, 302));
    QCOMPARE(board.pixelColor(0, 0), QColor(0xC6, 0, 0));
    QCOMPARE(board.pixelColor(11, 11), QColor(0xC6, 0, 0));
    QCOMPARE(board.pixelColor(12, 0), QColor(Qt::white));
    QCOMPARE(board.pixelColor(12, 12), QColor(0xC6, 0, 0));
    QCOMPARE(w.child<QLabel>("Image1")->pixmap().size(), QSize(160, 150));
    const QList<QSize> iconSizes = w.window->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)));
    QVERIFY(iconSizes.contains(QSize(32, 32)));
}

void TestMainWindow::tabMovesFocusInTheLayoutsOrder()
{
    Window w(threeRecipes());
    auto *tabs = w.child<TabControl>("SSTab1");
    tabs->tabBar()->setFocus();
    QTRY_VERIFY(tabs->tabBar()->hasFocus());
    QStringList order;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        order << (focus == tabs->tabBar() ? QStringLiteral("SSTab1") : focus->objectName());
    }
    QCOMPARE(order, QStringList({"txtName", "txtServe", "txtPrep", "txtCook", "txtIngredients", "txtDirections",
                                 "cmdPrevious", "cmdNext", "cmdPrintSingle", "SSTab1"}));
    for (const char *name : {"Label1", "Label10", "Label11", "Frame1", "Image1", "Image2", "lblCurrRecord"})
        QCOMPARE(w.child(name)->focusPolicy(), Qt::NoFocus);
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");

    auto row = [](const char *name, const char *menu, const char *caption, const char *shortcut) {
        QTest::newRow(name) << name << menu << caption << shortcut;
    };
    row("mnuFileSave", "mnuFile", "&Save", "");
    row("mnuFilePrint", "mnuFile", "&Print All...", "");
    row("mnuFileBar0", "mnuFile", "", "");
    row("mnuFileExit", "mnuFile", "E&xit", "");
    row("mnuRecordsAdd", "mnuRecords", "&Add", "Ctrl+A");
    row("mnuRecordsDelete", "mnuRecords", "&Delete", "Ctrl+D");
    row("mnuRecordsSep10", "mnuRecords", "", "");
    row("mnuRecordsSearch", "mnuRecords", "&Search", "Ctrl+S");
    row("mnuRecordsFindNext", "mnuRecords", "Find Nex&t", "F3");
    row("mnuRecordsSep20", "mnuRecords", "", "");
    row("mnuRecordsPrevious", "mnuRecords", "&Previous", "F11");
    row("mnuRecordsNext", "mnuRecords", "&Next", "F12");
    row("mnuRecordsFirst", "mnuRecords", "&First Recipe", "Ctrl+F11");
    row("mnuRecordsLast", "mnuRecords", "&Last Recipe", "Ctrl+F12");
    row("mnuHelpContents", "mnuHelp", "&Contents", "");
    row("mnuHelpAbout", "mnuHelp", "&About ", "");
}

void TestMainWindow::menus()
{
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);

    Window w;
    const QStringList menuOrder = {"mnuFile", "mnuRecords", "mnuHelp"};
    QStringList bar;
    for (QAction *action : w.window->menuBar()->actions())
        bar << action->menu()->objectName();
    QCOMPARE(bar, menuOrder);
    QCOMPARE(w.child<QMenu>("mnuFile")->title(), QStringLiteral("&File"));
    QCOMPARE(w.child<QMenu>("mnuRecords")->title(), QStringLiteral("&Recipes"));
    QCOMPARE(w.child<QMenu>("mnuHelp")->title(), QStringLiteral("&Help"));

    auto *action = w.window->findChild<QAction *>(name);
    QVERIFY(action);
    QVERIFY(w.child<QMenu>(menu.toLatin1().constData())->actions().contains(action));
    QCOMPARE(action->isSeparator(), caption.isEmpty());
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QVERIFY(action->isEnabled());
    QVERIFY(!action->isCheckable());
}

void TestMainWindow::statusBarShowsStatusDateAndTime()
{
    Window w;
    auto *bar = w.child<ClockStatusBar>("sbStatusBar");
    QCOMPARE(bar->panelText(0), QStringLiteral("Status"));
    const QLocale locale;
    QTRY_COMPARE(bar->panelText(1), locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    QTRY_COMPARE(bar->panelText(2), locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    for (const char *panel : {"panelStatus", "panelDate", "panelTime"})
        QVERIFY(w.child(panel)->width() >= 96);
}

void TestMainWindow::typedEditsAreStoredByAMoveAndShownAgain()
{
    Window w(threeRecipes());
    auto *name = w.child<QLineEdit>("txtName");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Carrot soup");
    QTest::keyClick(name, Qt::Key_F12);
    QCOMPARE(w.counter(), QStringLiteral("Record 2 of 3"));
    QCOMPARE(name->text(), QStringLiteral("Tea"));
    QTest::keyClick(name, Qt::Key_F11);
    QCOMPARE(name->text(), QStringLiteral("Carrot soup"));
    QCOMPARE(w.list.Recipes(1).Name, QStringLiteral("Carrot soup"));

    const QString longName(40000, u'x'); // the boxes have no length limit
    w.window->setBoxText(MainView::txtName, longName);
    name->setCursorPosition(40000);
    QTest::keyClicks(name, "!");
    QCOMPARE(w.window->boxText(MainView::txtName), longName + u'!');
}

void TestMainWindow::shortcutsWorkOnTheResourcesPageWithoutSwitchingPages()
{
    Window w(threeRecipes());
    auto *tabs = w.child<TabControl>("SSTab1");
    tabs->setCurrentIndex(1);
    QVERIFY(!w.child("txtName")->isVisible());
    QTest::keyClick(w.window.get(), Qt::Key_F12, Qt::ControlModifier);
    QCOMPARE(w.counter(), QStringLiteral("Record 3 of 3"));
    QTest::keyClick(w.window.get(), Qt::Key_F11);
    QCOMPARE(w.counter(), QStringLiteral("Record 2 of 3"));
    QCOMPARE(tabs->currentIndex(), 1);
    tabs->setCurrentIndex(0);
    QCOMPARE(w.child<QLineEdit>("txtName")->text(), QStringLiteral("Tea"));
}

void TestMainWindow::buttonsMoveAndRefusalsBeep()
{
    Window w(threeRecipes());
    QSignalSpy beeps(w.window.get(), &frmMain::beeped);
    QTest::mouseClick(w.child<QPushButton>("cmdPrevious"), Qt::LeftButton);
    QCOMPARE(beeps.count(), 1);
    QTest::mouseClick(w.child<QPushButton>("cmdNext"), Qt::LeftButton);
    QCOMPARE(w.counter(), QStringLiteral("Record 2 of 3"));
    QCOMPARE(beeps.count(), 1);
}

void TestMainWindow::recipeShownAndStoredUnchangedIsByteIdentical()
{
    // Lone CR and LF, no-break spaces, blanks at the ends and an empty last line all survive.
    const QByteArray file = QByteArray("2,1\r\n\"  Soupe \xa0\xe0 l'oignon \"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
                                       "\"a\r\nb\nc\rd\r\n\"\r\n\"1\xa0h\r\n\r\n\"\r\n")
        + "\"Tea\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    Window w(file);
    QTest::keyClick(w.window.get(), Qt::Key_F12);
    QTest::keyClick(w.window.get(), Qt::Key_F11);
    QCOMPARE(w.counter(), QStringLiteral("Record 1 of 2"));
    w.window->close();
    QCOMPARE(w.fileBytes(), file);
}

void TestMainWindow::editedMultiLineTextIsStoredWithCrLf()
{
    Window w(threeRecipes());
    auto *ingredients = w.child<QPlainTextEdit>("txtIngredients");
    QCOMPARE(ingredients->toPlainText(), QStringLiteral("Water\nSalt"));
    ingredients->setFocus();
    ingredients->moveCursor(QTextCursor::End);
    QTest::keyClick(ingredients, Qt::Key_Return);
    QTest::keyClicks(ingredients, QStringLiteral("Pepper\u00a0!"));
    QTest::keyClick(w.window.get(), Qt::Key_F12);
    QCOMPARE(w.list.Recipes(1).Ingredients, QStringLiteral("Water\r\nSalt\r\nPepper\u00a0!"));
}

void TestMainWindow::closingStoresTheBoxesAndSaves()
{
    Window w(threeRecipes());
    auto *serve = w.child<QLineEdit>("txtServe");
    serve->setFocus();
    serve->selectAll();
    QTest::keyClicks(serve, "6 to 8");
    QTest::keyClick(w.window.get(), Qt::Key_F12);
    QTest::keyClick(w.child("txtCook"), Qt::Key_End);
    QTest::keyClicks(w.child("txtCook"), " or so");
    w.window->findChild<QAction *>("mnuFileExit")->trigger();
    QVERIFY(!w.window->isVisible());
    const QByteArray saved = w.fileBytes();
    QVERIFY(saved.startsWith("3,2\r\n\"Soup\"\r\n\"10 min\"\r\n\"20 min\"\r\n\"6 to 8\"\r\n"));
    QVERIFY(saved.contains("\"Tea\"\r\n\"\"\r\n\"5 min or so\"\r\n"));
}

void TestMainWindow::failedSaveAtCloseKeepsTheWindowOpenOnNo()
{
    Window w(threeRecipes());
    QFile::setPermissions(w.dir.filePath(RecipeFile::fileName()), QFile::ReadOwner);
    QTest::keyClicks(w.child("txtName"), "!");
    PromptRecorder prompts;
    prompts.answerNext(MessageBox::Ok);
    prompts.answerNext(MessageBox::No);
    w.window->close();
    QVERIFY(w.window->isVisible());
    QCOMPARE(prompts.requests().size(), 2);
    QCOMPARE(prompts.texts().first(), QStringLiteral("Permission denied"));
    QCOMPARE(prompts.requests().at(1).buttons, MessageBox::Yes | MessageBox::No);
    QCOMPARE(prompts.requests().at(1).defaultButton, MessageBox::No); // keeping the edits is the safe answer
    QCOMPARE(w.child<QLineEdit>("txtName")->text(), QStringLiteral("!Soup"));
    QCOMPARE(w.fileBytes(), threeRecipes());

    prompts.answerNext(MessageBox::Ok);
    prompts.answerNext(MessageBox::Yes);
    w.window->close();
    QVERIFY(!w.window->isVisible());
}

void TestMainWindow::ctrlAInATextBoxAddsARecipe()
{
    Window w(threeRecipes());
    auto *prep = w.child<QLineEdit>("txtPrep");
    prep->setFocus();
    QTest::keyClick(prep, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.counter(), QStringLiteral("Record 4 of 4"));
    QCOMPARE(QApplication::focusWidget(), w.child("txtName"));
    QCOMPARE(w.child<QLineEdit>("txtName")->text(), QString());
}

void TestMainWindow::ctrlDAsksThenDeletes()
{
    Window w(threeRecipes());
    PromptRecorder prompts;
    prompts.answerNext(MessageBox::Yes);
    QTest::keyClick(w.child("txtName"), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(prompts.texts(), QStringList{"Are you sure you want to delete Soup?"});
    QCOMPARE(w.counter(), QStringLiteral("Record 1 of 2"));
    QCOMPARE(w.child<QLineEdit>("txtName")->text(), QStringLiteral("Tea"));
}

void TestMainWindow::ctrlSSearchesAndDoesNotSave()
{
    Window w(threeRecipes());
    QTest::keyClicks(w.child("txtName"), "Hot ");
    bool searchShown = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        searchShown = dialog && dialog->objectName() == QLatin1String("frmSearch");
        QVERIFY(dialog);
        auto *box = dialog->findChild<QLineEdit *>(QStringLiteral("txtFindWhat"));
        QTest::keyClicks(box, QStringLiteral("TOAST IT"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    QTest::keyClick(w.child("txtName"), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(searchShown);
    QCOMPARE(w.counter(), QStringLiteral("Record 3 of 3"));
    QCOMPARE(w.window->focusWidget(), w.child("txtDirections"));
    QCOMPARE(w.fileBytes(), threeRecipes());

    PromptRecorder prompts;
    w.window->activateWindow(); // the offscreen platform has no window manager to hand it back
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QTest::keyClick(w.window.get(), Qt::Key_F3);
    QCOMPARE(prompts.texts(), QStringList{"No more occurrences of 'TOAST IT'."});
    QCOMPARE(w.list.Recipes(1).Name, QStringLiteral("Hot Soup")); // the search stored the typed edit
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
