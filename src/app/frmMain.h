#pragma once

#include "app/MainLogic.h"
#include "app/MainView.h"
#include "print/QtPrinter.h"
#include "store/RecipeFile.h"

#include <QMainWindow>

#include <functional>

class ClickableLabel;
class ClockStatusBar;
class FieldLineEdit;
class FieldTextEdit;
class QLabel;
class QMenu;
class QPushButton;
class RecipeList;
class TabControl;

// The program's main window: a tab control with the recipe on "My Recipes" and the web links on
// "Resources", a status bar and the menus. Laid out once at a fixed size; its behaviour lives in
// MainLogic, which it reaches through the MainView interface.
class frmMain : public QMainWindow, public MainView
{
    Q_OBJECT

public:
    // PDF printouts (when no printer is installed) go to `pdfFolder`, by default the program folder.
    frmMain(RecipeList &list, const QString &programFolder, QWidget *parent = nullptr,
            const QString &pdfFolder = QString());

    // Loads the window without showing it: current folder, recipes, the current recipe.
    void Form_Load();
    MainLogic &logic() { return m_logic; }

    // The links of the "Resources" page: each hands its page's address to the desktop.
    void Image1_Click();
    void Label10_Click();
    void Label11_Click();
    void Label12_Click();
    void Label13_Click();
    void Label14_Click();
    void Label15_Click();
    void Label16_Click();
    void Label18_Click();
    void Label19_Click();
    void Label20_Click();

    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

    QString boxText(Box box) const override;
    void setBoxText(Box box, const QString &text) override;
    void setBoxEnabled(Box box, bool enabled) override;
    void focusBox(Box box) override;
    void setCounterCaption(const QString &caption) override;
    void beep() override;
    QWidget *dialogParent() override;
    void unload() override;
    MultiLineTextBox &multiLineBox(Box box) override;
    Printer &printer() override;

signals:
    void beeped();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createClientArea();
    void createRecipesPage(QWidget *page);
    void createResourcesPage(QWidget *page);
    void createStatusBar();
    void setFocusOrder();
    void tellWhereThePdfWent();
    QWidget *boxWidget(Box box) const;
    void centreOnScreen();

    QAction *addMenuItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                         std::function<void()> handler);
    void addSeparator(QMenu *menu, const char *name);
    void connectLink(ClickableLabel *label, void (frmMain::*handler)());
    // Runs an event handler; an error it raises is shown, never passed on to the event loop.
    void run(const std::function<void()> &handler);

    RecipeFile m_file;
    QtPrinter m_printer;
    QString m_savedPdf; // where the last document went when no printer is installed
    MainLogic m_logic;

    TabControl *SSTab1 = nullptr;
    ClockStatusBar *sbStatusBar = nullptr;
    FieldLineEdit *m_lineBoxes[4] = {};
    FieldTextEdit *m_textBoxes[2] = {};
    QLabel *lblCurrRecord = nullptr;
    QPushButton *cmdPrintSingle = nullptr;
    QPushButton *cmdPrevious = nullptr;
    QPushButton *cmdNext = nullptr;
    QList<QKeySequence> m_menuShortcuts;
};
