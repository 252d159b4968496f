#include "app/frmMain.h"

#include "resources/AppInfo.h"
#include "app/ClickableLabel.h"
#include "app/ClockStatusBar.h"
#include "app/FieldLineEdit.h"
#include "app/FieldTextEdit.h"
#include "dialogs/FormLayout.h"
#include "links/HelpContents.h"
#include "dialogs/MessageBox.h"
#include "resources/Pictures.h"
#include "app/PrintProgressDialog.h"
#include "links/ResourceLinks.h"
#include "core/RuntimeError.h"
#include "app/TabControl.h"
#include "dialogs/frmAbout.h"
#include "search/frmSearch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

namespace {

const QColor WindowRed(0xC0, 0x00, 0x00); // &H000000C0&
const QColor LinkBlue(0x00, 0x00, 0xFF);  // &H00FF0000&
const QString VisitTip = QStringLiteral("Click Here to Visit");

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

ClickableLabel *addLink(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                        const QString &toolTip)
{
    auto *label = new ClickableLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setToolTip(toolTip);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LinkBlue);
    label->setPalette(palette);
    return label;
}

} // namespace

frmMain::frmMain(RecipeList &list, const QString &programFolder, QWidget *parent, const QString &pdfFolder)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_file(list, programFolder, [this](const QString &message) { MessageBox::message(dialogParent(), message); })
    , m_printer(pdfFolder.isEmpty() ? programFolder : pdfFolder, [this](const QString &path) { m_savedPdf = path; })
    , m_logic(list, m_file, *this)
{
    setObjectName(QStringLiteral("frmMain"));
    m_logic.setSearchDialogFactory([this] { return std::make_unique<frmSearch>(this); });
    setWindowTitle(AppInfo::title());
    setWindowIcon(Pictures::programIcon());
    setFont(FormLayout::font());

    createMenus();
    createClientArea();
    createStatusBar();
    setFocusOrder();
    // The order is a ring; the tab strip comes first in it, so the window opens with it focused.
    SSTab1->tabBar()->setFocus();
    layout()->setSizeConstraint(QLayout::SetFixedSize); // the border is fixed: no resizing, no maximize
    centreOnScreen();
}

void frmMain::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addMenuItem(file, "mnuFileSave", QStringLiteral("&Save"), {}, [this] { m_logic.mnuFileSave_Click(); });
    addMenuItem(file, "mnuFilePrint", QStringLiteral("&Print All..."), {}, [this] {
        {
            PrintProgressDialog progress(dialogParent());
            m_logic.mnuFilePrint_Click(&progress);
        }
        tellWhereThePdfWent();
    });
    addSeparator(file, "mnuFileBar0");
    addMenuItem(file, "mnuFileExit", QStringLiteral("E&xit"), {}, [this] { m_logic.mnuFileExit_Click(); });

    QMenu *records = menuBar()->addMenu(QStringLiteral("&Recipes"));
    records->setObjectName(QStringLiteral("mnuRecords"));
    addMenuItem(records, "mnuRecordsAdd", QStringLiteral("&Add"), QKeySequence(Qt::CTRL | Qt::Key_A),
                [this] { m_logic.mnuRecordsAdd_Click(); });
    addMenuItem(records, "mnuRecordsDelete", QStringLiteral("&Delete"), QKeySequence(Qt::CTRL | Qt::Key_D),
                [this] { m_logic.mnuRecordsDelete_Click(); });
    addSeparator(records, "mnuRecordsSep10");
    addMenuItem(records, "mnuRecordsSearch", QStringLiteral("&Search"), QKeySequence(Qt::CTRL | Qt::Key_S),
                [this] { m_logic.mnuRecordsSearch_Click(); });
    addMenuItem(records, "mnuRecordsFindNext", QStringLiteral("Find Nex&t"), QKeySequence(Qt::Key_F3),
                [this] { m_logic.mnuRecordsFindNext_Click(); });
    addSeparator(records, "mnuRecordsSep20");
    addMenuItem(records, "mnuRecordsPrevious", QStringLiteral("&Previous"), QKeySequence(Qt::Key_F11),
                [this] { m_logic.mnuRecordsPrevious_Click(); });
    addMenuItem(records, "mnuRecordsNext", QStringLiteral("&Next"), QKeySequence(Qt::Key_F12),
                [this] { m_logic.mnuRecordsNext_Click(); });
    addMenuItem(records, "mnuRecordsFirst", QStringLiteral("&First Recipe"), QKeySequence(Qt::CTRL | Qt::Key_F11),
                [this] { m_logic.mnuRecordsFirst_Click(); });
    addMenuItem(records, "mnuRecordsLast", QStringLiteral("&Last Recipe"), QKeySequence(Qt::CTRL | Qt::Key_F12),
                [this] { m_logic.mnuRecordsLast_Click(); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addMenuItem(help, "mnuHelpContents", QStringLiteral("&Contents"), {}, [this] { mnuHelpContents_Click(); });
    addMenuItem(help, "mnuHelpAbout", QStringLiteral("&About "), {}, [this] { mnuHelpAbout_Click(); });
}

QAction *frmMain::addMenuItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                              std::function<void()> handler)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    if (!shortcut.isEmpty())
        m_menuShortcuts << shortcut;
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { run(handler); });
    return action;
}

void frmMain::addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void frmMain::connectLink(ClickableLabel *label, void (frmMain::*handler)())
{
    connect(label, &ClickableLabel::clicked, this, [this, handler] { run([this, handler] { (this->*handler)(); }); });
}

void frmMain::createClientArea()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(FormLayout::rect(0, 0, 6990, 4485).size()); // above the status bar

    auto *background = new QWidget(client);
    background->setObjectName(QStringLiteral("background"));
    background->setGeometry(client->rect());
    QPalette red = background->palette();
    red.setColor(QPalette::Window, WindowRed);
    background->setPalette(red);
    background->setAutoFillBackground(true);

    auto *image2 = new QLabel(client);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(Pictures::checkerboard());
    image2->setScaledContents(true);
    image2->setGeometry(FormLayout::rect(0, 0, 7020, 4530));

    SSTab1 = new TabControl(WindowRed, client);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(FormLayout::rect(120, 120, 6735, 4335));
    createRecipesPage(SSTab1->addPage(QStringLiteral("My Recipes"), QStringLiteral("pageMyRecipes")));
    createResourcesPage(SSTab1->addPage(QStringLiteral("Resources"), QStringLiteral("pageResources")));
    SSTab1->setCurrentIndex(0);

    setCentralWidget(client);
}

void frmMain::createRecipesPage(QWidget *page)
{
    addLabel(page, "Label1", QStringLiteral("Name of Dish:"), FormLayout::rect(120, 420, 1095, 255));
    addLabel(page, "Label3", QStringLiteral("Preparation Time:"), FormLayout::rect(120, 780, 1455, 255));
    addLabel(page, "Label4", QStringLiteral("Cooking Time:"), FormLayout::rect(2640, 780, 1095, 255));
    addLabel(page, "Label2", QStringLiteral("Servings:"), FormLayout::rect(4920, 780, 735, 255));
    addLabel(page, "Label5", QStringLiteral("Ingredients:"), FormLayout::rect(120, 1140, 975, 255));
    addLabel(page, "Label6", QStringLiteral("Directions:"), FormLayout::rect(3360, 1140, 975, 255));

    struct LineBox { const char *name; QRect geometry; };
    const LineBox lineBoxes[] = {
        {"txtName", FormLayout::rect(1200, 420, 5295, 285)},
        {"txtPrep", FormLayout::rect(1440, 780, 855, 285)},
        {"txtCook", FormLayout::rect(3720, 780, 855, 285)},
        {"txtServe", FormLayout::rect(5640, 780, 855, 285)},
    };
    for (int i = 0; i < 4; ++i) {
        m_lineBoxes[i] = new FieldLineEdit(page);
        m_lineBoxes[i]->setObjectName(QString::fromLatin1(lineBoxes[i].name));
        m_lineBoxes[i]->setGeometry(lineBoxes[i].geometry);
        m_lineBoxes[i]->setTextMargins(0, 0, 0, 0);
        m_lineBoxes[i]->installEventFilter(this);
        connect(m_lineBoxes[i], &FieldLineEdit::edited, this, [this] { m_logic.boxEdited(); });
    }
    const LineBox textBoxes[] = {
        {"txtIngredients", FormLayout::rect(120, 1380, 3135, 2175)},
        {"txtDirections", FormLayout::rect(3360, 1380, 3135, 2175)},
    };
    for (int i = 0; i < 2; ++i) {
        m_textBoxes[i] = new FieldTextEdit(page);
        m_textBoxes[i]->setObjectName(QString::fromLatin1(textBoxes[i].name));
        m_textBoxes[i]->setGeometry(textBoxes[i].geometry);
        m_textBoxes[i]->installEventFilter(this);
        connect(m_textBoxes[i], &FieldTextEdit::edited, this, [this] { m_logic.boxEdited(); });
    }

    cmdPrintSingle = new QPushButton(QStringLiteral("&Print This Recipe"), page);
    cmdPrintSingle->setObjectName(QStringLiteral("cmdPrintSingle"));
    cmdPrintSingle->setGeometry(FormLayout::rect(120, 3720, 1380, 345));
    connect(cmdPrintSingle, &QPushButton::clicked, this, [this] {
        run([this] {
            m_logic.cmdPrintSingle_Click();
            tellWhereThePdfWent();
        });
    });

    lblCurrRecord = addLabel(page, "lblCurrRecord", QStringLiteral("Recipe #"), FormLayout::rect(1605, 3780, 3450, 255));

    cmdPrevious = new QPushButton(QStringLiteral("<<"), page);
    cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    cmdPrevious->setGeometry(FormLayout::rect(5160, 3660, 615, 495));
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { run([this] { m_logic.cmdPrevious_Click(); }); });

    cmdNext = new QPushButton(QStringLiteral(">>"), page);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setGeometry(FormLayout::rect(5880, 3660, 615, 495));
    connect(cmdNext, &QPushButton::clicked, this, [this] { run([this] { m_logic.cmdNext_Click(); }); });

    // Enter presses a focused button as Space does; outside a dialog only auto-default buttons do.
    for (QPushButton *button : {cmdPrintSingle, cmdPrevious, cmdNext})
        button->setAutoDefault(true);
}

void frmMain::createResourcesPage(QWidget *page)
{
    auto *image1 = new ClickableLabel(QString(), page);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(Pictures::logo());
    image1->setGeometry(FormLayout::rect(0, 480, 2400, 2250));
    image1->setToolTip(VisitTip);
    connectLink(image1, &frmMain::Image1_Click);

    addLabel(page, "Label17", QStringLiteral("Click On Blue Colored Text To Visit."), FormLayout::rect(3960, 360, 2655, 255));
    addLabel(page, "Label7", QStringLiteral("Kettlebay - Free Online Recipe Database"), FormLayout::rect(2400, 720, 4095, 255))
        ->setFont(FormLayout::font(8.25, true));
    QLabel *label8 = addLabel(page, "Label8",
                              QStringLiteral("What's for Dinner? If you're in need of some TERRIFIC ideas you'll want to "
                                             "visit Kettlebay. Search the enormous recipe database, read helpful "
                                             "articles, even order cookbooks and kitchen gadgets. This remarkable site "
                                             "has a wealth of valuable information  that will make your meals more "
                                             "EXCITING!"),
                              FormLayout::rect(2400, 960, 4095, 1215));
    label8->setWordWrap(true);
    addLabel(page, "Label9", QStringLiteral("Visit us today at:"), FormLayout::rect(2400, 2280, 3975, 255));
    connectLink(addLink(page, "Label10", AppInfo::mainSite(), FormLayout::rect(2400, 2520, 3975, 255), VisitTip + u'!'),
                &frmMain::Label10_Click);

    auto *frame1 = new QGroupBox(QStringLiteral("Helpful Resources"), page);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(FormLayout::rect(120, 2880, 6495, 1335));
    struct Link
    {
        const char *name;
        const char *caption;
        QRect geometry;
        bool tip;
        void (frmMain::*handler)();
    };
    const Link links[] = {
        {"Label11", "Spice Rack", FormLayout::rect(120, 360, 2055, 255), true, &frmMain::Label11_Click},
        {"Label12", "Food Equivalents", FormLayout::rect(120, 600, 2055, 255), true, &frmMain::Label12_Click},
        {"Label13", "Substitutions", FormLayout::rect(120, 840, 2055, 255), true, &frmMain::Label13_Click},
        {"Label14", "Conversions", FormLayout::rect(2400, 360, 1815, 255), true, &frmMain::Label14_Click},
        {"Label15", "Measures", FormLayout::rect(2400, 600, 1815, 255), true, &frmMain::Label15_Click},
        {"Label16", "Kitchen Store", FormLayout::rect(2400, 840, 1815, 255), true, &frmMain::Label16_Click},
        {"Label18", "Free Recipes", FormLayout::rect(4320, 360, 1815, 255), true, &frmMain::Label18_Click},
        {"Label19", "Quick Dish Archive", FormLayout::rect(4320, 600, 2055, 255), false, &frmMain::Label19_Click},
        {"Label20", "Cooking Class", FormLayout::rect(4320, 840, 2055, 255), false, &frmMain::Label20_Click},
    };
    for (const Link &link : links) {
        connectLink(addLink(frame1, link.name, QString::fromUtf8(link.caption), link.geometry,
                            link.tip ? VisitTip : QString()),
                    link.handler);
    }
}

void frmMain::createStatusBar()
{
    sbStatusBar = new ClockStatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setFixedSize(FormLayout::rect(0, 0, 6990, 270).size());
    setStatusBar(sbStatusBar);
}

void frmMain::setFocusOrder()
{
    QWidget *order[] = {SSTab1->tabBar(), m_lineBoxes[txtName], m_lineBoxes[txtServe], m_lineBoxes[txtPrep],
                        m_lineBoxes[txtCook], m_textBoxes[0], m_textBoxes[1], cmdPrevious, cmdNext, cmdPrintSingle};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(cmdPrintSingle, SSTab1->tabBar());
}

void frmMain::centreOnScreen()
{
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - frameGeometry().center() + pos());
}

void frmMain::Image1_Click() { ResourceLinks::open(QStringLiteral("Image1")); }
void frmMain::Label10_Click() { ResourceLinks::open(QStringLiteral("Label10")); }
void frmMain::Label11_Click() { ResourceLinks::open(QStringLiteral("Label11")); }
void frmMain::Label12_Click() { ResourceLinks::open(QStringLiteral("Label12")); }
void frmMain::Label13_Click() { ResourceLinks::open(QStringLiteral("Label13")); }
void frmMain::Label14_Click() { ResourceLinks::open(QStringLiteral("Label14")); }
void frmMain::Label15_Click() { ResourceLinks::open(QStringLiteral("Label15")); }
void frmMain::Label16_Click() { ResourceLinks::open(QStringLiteral("Label16")); }
void frmMain::Label18_Click() { ResourceLinks::open(QStringLiteral("Label18")); }
void frmMain::Label19_Click() { ResourceLinks::open(QStringLiteral("Label19")); }
void frmMain::Label20_Click() { ResourceLinks::open(QStringLiteral("Label20")); }

void frmMain::mnuHelpContents_Click()
{
    HelpContents::show(dialogParent(), windowTitle());
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

void frmMain::Form_Load()
{
    run([this] { m_logic.Form_Load(); });
}

void frmMain::run(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        MessageBox::message(dialogParent(), error.description());
    } catch (const std::exception &error) {
        MessageBox::message(dialogParent(), QString::fromLocal8Bit(error.what()));
    }
}

QString frmMain::boxText(Box box) const
{
    return box < txtIngredients ? m_lineBoxes[box]->fieldText() : m_textBoxes[box - txtIngredients]->fieldText();
}

void frmMain::setBoxText(Box box, const QString &text)
{
    if (box < txtIngredients)
        m_lineBoxes[box]->setFieldText(text);
    else
        m_textBoxes[box - txtIngredients]->setFieldText(text);
}

QWidget *frmMain::boxWidget(Box box) const
{
    return box < txtIngredients ? static_cast<QWidget *>(m_lineBoxes[box]) : m_textBoxes[box - txtIngredients];
}

void frmMain::setBoxEnabled(Box box, bool enabled)
{
    boxWidget(box)->setEnabled(enabled);
}

void frmMain::focusBox(Box box)
{
    boxWidget(box)->setFocus();
}

void frmMain::setCounterCaption(const QString &caption)
{
    lblCurrRecord->setText(caption);
}

void frmMain::beep()
{
    QApplication::beep();
    emit beeped();
}

QWidget *frmMain::dialogParent()
{
    return isVisible() ? this : nullptr;
}

void frmMain::unload()
{
    close();
}

MultiLineTextBox &frmMain::multiLineBox(Box box)
{
    Q_ASSERT(box == txtIngredients || box == txtDirections);
    return *m_textBoxes[box == txtDirections ? 1 : 0];
}

void frmMain::tellWhereThePdfWent()
{
    // Told once the print is over, not from inside it, where the wait cursor is still up.
    if (m_savedPdf.isEmpty())
        return;
    const QString path = std::exchange(m_savedPdf, QString());
    MessageBox::message(dialogParent(), QStringLiteral("No printer is installed, so the document was saved as a "
                                                       "PDF file:\n\n")
                                            + QDir::toNativeSeparators(path));
}

Printer &frmMain::printer()
{
    return m_printer;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    bool mayClose = true;
    run([&] { mayClose = m_logic.Form_Unload(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
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
