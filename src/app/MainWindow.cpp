#include "app/MainWindow.h"

#include "app/HandlerGuard.h"
#include "app/widgets/ClockStatusBar.h"
#include "app/widgets/FieldLineEdit.h"
#include "app/widgets/FieldTextEdit.h"
#include "app/widgets/LinkLabel.h"
#include "app/widgets/PrintProgressDialog.h"
#include "app/widgets/TabbedPages.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/FormLayout.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ScreenCentring.h"
#include "links/HelpContents.h"
#include "links/UrlOpener.h"
#include "resources/AppInfo.h"
#include "resources/Pictures.h"
#include "search/SearchDialog.h"
#include "store/RecipeBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QUrl>

#include <cmath>

namespace {

const QColor WindowRed(0xC0, 0x00, 0x00);
const QColor LinkBlue(0x00, 0x00, 0xFF);
constexpr double MinimumContrast = 4.5; // the least that text needs to be read by everyone (WCAG level AA)

// The contrast of two colours, from 1 to 21, by their relative luminance in sRGB (WCAG's formula).
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](float c) { return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// Labels on the pages are opaque, as the page under them.
QLabel *addPageLabel(QWidget *page, const char *objectName, const QString &text, const QRect &geometry)
{
    QLabel *label = FormLayout::addLabel(page, objectName, text, geometry);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

MainWindow::MainWindow(RecipeBox &recipes, QWidget *parent, const QString &pdfFolder)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_printer(pdfFolder.isEmpty() ? recipes.folder() : pdfFolder, [this](const QString &path) { m_savedPdf = path; })
    , m_logic(recipes, *this)
{
    setObjectName(QStringLiteral("mainWindow"));
    m_logic.setSearchDialogFactory([this] { return std::make_unique<SearchDialog>(this); });
    setWindowTitle(AppInfo::title());
    setWindowIcon(Pictures::programIcon());
    setFont(FormLayout::font());

    createMenus();
    createClientArea();
    createStatusBar();
    setFocusOrder();
    // The order is a ring; the tab strip comes first in it, so the window opens with it focused.
    m_tabs->tabBar()->setFocus();
    layout()->setSizeConstraint(QLayout::SetFixedSize); // the border is fixed: no resizing, no maximize
    adjustSize();
    ScreenCentring::centre(this);
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    addMenuItem(file, "saveAction", tr("&Save"), {}, [this] { m_logic.saveRecipes(); });
    addMenuItem(file, "printAllAction", tr("&Print All..."), {}, [this] {
        {
            PrintProgressDialog progress(dialogParent());
            m_logic.printAllRecipes(&progress);
        }
        tellWhereThePdfWent();
    });
    file->addSeparator();
    addMenuItem(file, "exitAction", tr("E&xit"), {}, [this] { m_logic.exit(); });

    QMenu *recipes = menuBar()->addMenu(tr("&Recipes"));
    recipes->setObjectName(QStringLiteral("recipesMenu"));
    addMenuItem(recipes, "addAction", tr("&Add"), QKeySequence(Qt::CTRL | Qt::Key_A), [this] { m_logic.addRecipe(); });
    addMenuItem(recipes, "deleteAction", tr("&Delete"), QKeySequence(Qt::CTRL | Qt::Key_D),
                [this] { m_logic.deleteRecipe(); });
    recipes->addSeparator();
    addMenuItem(recipes, "searchAction", tr("&Search"), QKeySequence(Qt::CTRL | Qt::Key_S),
                [this] { m_logic.search(); });
    addMenuItem(recipes, "findNextAction", tr("Find Nex&t"), QKeySequence(Qt::Key_F3), [this] { m_logic.findNext(); });
    recipes->addSeparator();
    addMenuItem(recipes, "previousAction", tr("&Previous"), QKeySequence(Qt::Key_F11),
                [this] { m_logic.showPreviousRecipe(); });
    addMenuItem(recipes, "nextAction", tr("&Next"), QKeySequence(Qt::Key_F12), [this] { m_logic.showNextRecipe(); });
    addMenuItem(recipes, "firstAction", tr("&First Recipe"), QKeySequence(Qt::CTRL | Qt::Key_F11),
                [this] { m_logic.showFirstRecipe(); });
    addMenuItem(recipes, "lastAction", tr("&Last Recipe"), QKeySequence(Qt::CTRL | Qt::Key_F12),
                [this] { m_logic.showLastRecipe(); });

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    addMenuItem(help, "contentsAction", tr("&Contents"), {}, [this] { showHelp(); });
    addMenuItem(help, "aboutAction", tr("&About "), {}, [this] { showAbout(); });
}

QAction *MainWindow::addMenuItem(QMenu *menu, const char *objectName, const QString &text, const QKeySequence &shortcut,
                                 std::function<void()> handler)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    if (!shortcut.isEmpty())
        m_menuShortcuts << shortcut;
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { run(handler); });
    return action;
}

void MainWindow::createClientArea()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(FormLayout::rect(0, 0, 6990, 4485).size()); // above the status bar

    // The window's red stands under the checkerboard, which covers the client area, and nowhere
    // else: a palette given to the client would pass the red on to the pages and their labels.
    QLabel *background = FormLayout::addLabel(client, "background", QString(), FormLayout::rect(0, 0, 7020, 4530));
    QPalette red = background->palette();
    red.setColor(QPalette::Window, WindowRed);
    background->setPalette(red);
    background->setAutoFillBackground(true);
    background->setPixmap(Pictures::checkerboard());
    background->setScaledContents(true);
    background->setAccessibleName(tr("Red and white checkerboard"));

    m_tabs = new TabbedPages(WindowRed, client);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setGeometry(FormLayout::rect(120, 120, 6735, 4335));
    createRecipesPage(m_tabs->addPage(tr("My Recipes"), QStringLiteral("recipesPage")));
    createResourcesPage(m_tabs->addPage(tr("Resources"), QStringLiteral("resourcesPage")));
    m_tabs->setCurrentIndex(0);

    setCentralWidget(client);
}

void MainWindow::createRecipesPage(QWidget *page)
{
    // The fields' boxes with the labels that name them, to the eye and to a screen reader.
    struct Field
    {
        const char *labelName;
        QString label;
        QRect labelGeometry;
        const char *boxName;
        QRect boxGeometry;
    };
    const Field fields[Recipe::FieldCount] = {
        {"nameLabel", tr("Name of Dish:"), FormLayout::rect(120, 420, 1095, 255), "nameEdit",
         FormLayout::rect(1200, 420, 5295, 285)},
        {"prepTimeLabel", tr("Preparation Time:"), FormLayout::rect(120, 780, 1455, 255), "prepTimeEdit",
         FormLayout::rect(1440, 780, 855, 285)},
        {"cookTimeLabel", tr("Cooking Time:"), FormLayout::rect(2640, 780, 1095, 255), "cookTimeEdit",
         FormLayout::rect(3720, 780, 855, 285)},
        {"servingsLabel", tr("Servings:"), FormLayout::rect(4920, 780, 735, 255), "servingsEdit",
         FormLayout::rect(5640, 780, 855, 285)},
        {"ingredientsLabel", tr("Ingredients:"), FormLayout::rect(120, 1140, 975, 255), "ingredientsEdit",
         FormLayout::rect(120, 1380, 3135, 2175)},
        {"directionsLabel", tr("Directions:"), FormLayout::rect(3360, 1140, 975, 255), "directionsEdit",
         FormLayout::rect(3360, 1380, 3135, 2175)},
    };
    for (int i = 0; i < Recipe::FieldCount; ++i) {
        QLabel *label = addPageLabel(page, fields[i].labelName, fields[i].label, fields[i].labelGeometry);
        QWidget *box = nullptr;
        if (i < Recipe::Ingredients) {
            auto *edit = new FieldLineEdit(page);
            edit->setTextMargins(0, 0, 0, 0);
            connect(edit, &FieldLineEdit::edited, this, [this] { run([this] { m_logic.boxEdited(); }); });
            box = m_lineEdits[i] = edit;
        } else {
            auto *edit = new FieldTextEdit(page);
            connect(edit, &FieldTextEdit::edited, this, [this] { run([this] { m_logic.boxEdited(); }); });
            box = m_textEdits[i - Recipe::Ingredients] = edit;
        }
        box->setObjectName(QString::fromLatin1(fields[i].boxName));
        box->setGeometry(fields[i].boxGeometry);
        box->installEventFilter(this);
        label->setBuddy(box);
        // The label names the box to a screen reader too, without its colon.
        box->setAccessibleName(fields[i].label.trimmed().remove(QRegularExpression(QStringLiteral("\\s*:$"))));
    }

    m_printButton
        = FormLayout::addButton(page, "printButton", tr("&Print This Recipe"), FormLayout::rect(120, 3720, 1380, 345));
    connect(m_printButton, &QPushButton::clicked, this, [this] {
        run([this] {
            m_logic.printRecipe();
            tellWhereThePdfWent();
        });
    });
    m_recordCounter = addPageLabel(page, "recordCounter", tr("Recipe #"), FormLayout::rect(1605, 3780, 3450, 255));
    m_previousButton
        = FormLayout::addButton(page, "previousButton", QStringLiteral("<<"), FormLayout::rect(5160, 3660, 615, 495));
    m_previousButton->setAccessibleName(tr("Previous recipe"));
    connect(m_previousButton, &QPushButton::clicked, this, [this] { run([this] { m_logic.showPreviousRecipe(); }); });
    m_nextButton
        = FormLayout::addButton(page, "nextButton", QStringLiteral(">>"), FormLayout::rect(5880, 3660, 615, 495));
    m_nextButton->setAccessibleName(tr("Next recipe"));
    connect(m_nextButton, &QPushButton::clicked, this, [this] { run([this] { m_logic.showNextRecipe(); }); });

    // Enter presses a focused button as Space does; outside a dialog only auto-default buttons do.
    for (QPushButton *button : {m_printButton, m_previousButton, m_nextButton})
        button->setAutoDefault(true);
}

void MainWindow::createResourcesPage(QWidget *page)
{
    addPageLabel(page, "clickHintLabel", tr("Click On Blue Colored Text To Visit."),
                 FormLayout::rect(3960, 360, 2655, 255));
    addPageLabel(page, "siteTitleLabel", tr("Kettlebay - Free Online Recipe Database"),
                 FormLayout::rect(2400, 720, 4095, 255))
        ->setFont(FormLayout::font(8.25, true));
    addPageLabel(
        page, "siteTextLabel",
        tr("What's for Dinner? If you're in need of some TERRIFIC ideas you'll want to visit Kettlebay. Search "
           "the enormous recipe database, read helpful articles, even order cookbooks and kitchen gadgets. This "
           "remarkable site has a wealth of valuable information  that will make your meals more EXCITING!"),
        FormLayout::rect(2400, 960, 4095, 1215))
        ->setWordWrap(true);
    addPageLabel(page, "visitLabel", tr("Visit us today at:"), FormLayout::rect(2400, 2280, 3975, 255));
    auto *frame = new QGroupBox(tr("Helpful Resources"), page);
    frame->setObjectName(QStringLiteral("resourcesFrame"));
    frame->setGeometry(FormLayout::rect(120, 2880, 6495, 1335));

    // Every link of the page, each opening its page on one of the maker's two sites. The logo and
    // the site's address open its home page.
    const QString visit = tr("Click Here to Visit");
    const QString main = AppInfo::mainSite();
    const QString archive = AppInfo::archiveSite();
    struct Link
    {
        QWidget *container;
        const char *objectName;
        QString text; // empty: the logo
        QRect geometry;
        QString toolTip;
        QString address;
    };
    const Link links[] = {
        {page, "siteLogo", QString(), FormLayout::rect(0, 480, 2400, 2250), visit, main},
        {page, "siteLink", main, FormLayout::rect(2400, 2520, 3975, 255), tr("Click Here to Visit!"), main},
        {frame, "spiceRackLink", tr("Spice Rack"), FormLayout::rect(120, 360, 2055, 255), visit,
         main + QStringLiteral("/help/spices.html")},
        {frame, "foodEquivalentsLink", tr("Food Equivalents"), FormLayout::rect(120, 600, 2055, 255), visit,
         main + QStringLiteral("/help/equiv.html")},
        {frame, "substitutionsLink", tr("Substitutions"), FormLayout::rect(120, 840, 2055, 255), visit,
         main + QStringLiteral("/help/substitutions.html")},
        {frame, "conversionsLink", tr("Conversions"), FormLayout::rect(2400, 360, 1815, 255), visit,
         main + QStringLiteral("/help/convert.html")},
        {frame, "measuresLink", tr("Measures"), FormLayout::rect(2400, 600, 1815, 255), visit,
         main + QStringLiteral("/help/usmeasure.html")},
        {frame, "kitchenStoreLink", tr("Kitchen Store"), FormLayout::rect(2400, 840, 1815, 255), visit,
         main + QStringLiteral("/mall.html")},
        {frame, "freeRecipesLink", tr("Free Recipes"), FormLayout::rect(4320, 360, 1815, 255), visit,
         archive + QStringLiteral("/recipes/index.cgi")},
        {frame, "quickDishArchiveLink", tr("Quick Dish Archive"), FormLayout::rect(4320, 600, 2055, 255), QString(),
         main + QStringLiteral("/qdarchive.html")},
        {frame, "cookingClassLink", tr("Cooking Class"), FormLayout::rect(4320, 840, 2055, 255), QString(),
         main + QStringLiteral("/shows.html")},
    };
    for (const Link &link : links) {
        auto *label = new LinkLabel(link.text, link.container);
        label->setObjectName(QString::fromLatin1(link.objectName));
        label->setGeometry(link.geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        label->setToolTip(link.toolTip);
        if (link.text.isEmpty()) {
            label->setPixmap(Pictures::logo());
            label->setAccessibleName(tr("Kettlebay logo, the maker's web site"));
        } else {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, LinkBlue);
            // On a dark desktop the blue could not be read: the link gets a light ground of its own.
            if (contrast(LinkBlue, palette.color(QPalette::Window)) < MinimumContrast)
                palette.setColor(QPalette::Window, Qt::white);
            label->setPalette(palette);
        }
        connect(label, &LinkLabel::clicked, this,
                [this, address = link.address] { run([&] { openLink(QUrl(address)); }); });
    }
}

void MainWindow::createStatusBar()
{
    auto *bar = new ClockStatusBar(this);
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setFixedSize(FormLayout::rect(0, 0, 6990, 270).size());
    setStatusBar(bar);
}

void MainWindow::setFocusOrder()
{
    QWidget *order[] = {m_tabs->tabBar(),
                        m_lineEdits[Recipe::Name],
                        m_lineEdits[Recipe::Servings],
                        m_lineEdits[Recipe::PrepTime],
                        m_lineEdits[Recipe::CookTime],
                        m_textEdits[0],
                        m_textEdits[1],
                        m_previousButton,
                        m_nextButton,
                        m_printButton};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(m_printButton, m_tabs->tabBar());
}

void MainWindow::openLink(const QUrl &address)
{
    UrlOpener::open(address);
}

void MainWindow::showHelp()
{
    HelpContents::show(dialogParent(), windowTitle());
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

void MainWindow::loadRecipes()
{
    run([this] { m_logic.loadRecipes(); });
}

void MainWindow::run(const std::function<void()> &handler)
{
    HandlerGuard::run(dialogParent(), handler);
}

QWidget *MainWindow::fieldWidget(Recipe::Field field) const
{
    return field < Recipe::Ingredients ? static_cast<QWidget *>(m_lineEdits[field])
                                       : m_textEdits[field - Recipe::Ingredients];
}

QString MainWindow::fieldText(Recipe::Field field) const
{
    return field < Recipe::Ingredients ? m_lineEdits[field]->fieldText()
                                       : m_textEdits[field - Recipe::Ingredients]->fieldText();
}

void MainWindow::setFieldText(Recipe::Field field, const QString &text)
{
    if (field < Recipe::Ingredients)
        m_lineEdits[field]->setFieldText(text);
    else
        m_textEdits[field - Recipe::Ingredients]->setFieldText(text);
}

void MainWindow::setFieldEnabled(Recipe::Field field, bool enabled)
{
    fieldWidget(field)->setEnabled(enabled);
}

void MainWindow::focusField(Recipe::Field field)
{
    fieldWidget(field)->setFocus();
}

void MainWindow::setRecordCounter(const QString &text)
{
    m_recordCounter->setText(text);
}

void MainWindow::beep()
{
    QApplication::beep();
}

QWidget *MainWindow::dialogParent()
{
    return isVisible() ? this : nullptr;
}

void MainWindow::closeWindow()
{
    close();
}

DisplayedText &MainWindow::displayedText(Recipe::Field field)
{
    Q_ASSERT(field == Recipe::Ingredients || field == Recipe::Directions);
    return *m_textEdits[field == Recipe::Directions ? 1 : 0];
}

void MainWindow::tellWhereThePdfWent()
{
    // Told once the print is over, not from inside it, where the wait cursor is still up.
    if (m_savedPdf.isEmpty())
        return;
    const QString path = std::exchange(m_savedPdf, QString());
    MessageBox::message(dialogParent(),
                        tr("No printer is installed, so the document was saved as a PDF file:\n\n%1")
                            .arg(QDir::toNativeSeparators(path)));
}

Printer &MainWindow::printer()
{
    return m_printer;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool mayClose = true;
    run([&] { mayClose = m_logic.prepareToClose(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The menus' shortcut keys win over the text boxes' own (Ctrl+A is Add, not Select All).
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        if (m_menuShortcuts.contains(pressed)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
