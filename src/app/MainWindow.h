#pragma once

#include "app/MainLogic.h"
#include "app/MainView.h"
#include "print/DefaultPrinter.h"

#include <QMainWindow>

#include <functional>

class ClockStatusBar;
class FieldLineEdit;
class FieldTextEdit;
class QLabel;
class QMenu;
class QPushButton;
class QUrl;
class RecipeBox;
class TabbedPages;

// The program's main window: a recipe at a time on the "My Recipes" page, the maker's web links on
// "Resources", a status bar and the menus. Laid out once at a fixed size; its behaviour lives in
// MainLogic, which it reaches through the MainView interface.
class MainWindow : public QMainWindow, public MainView
{
    Q_OBJECT

public:
    // PDF printouts (when no printer is installed) go to `pdfFolder`, by default the recipe folder.
    explicit MainWindow(RecipeBox &recipes, QWidget *parent = nullptr, const QString &pdfFolder = QString());

    // Loads the window without showing it: the recipes, the current recipe.
    void loadRecipes();
    MainLogic &logic() { return m_logic; }

    void openLink(const QUrl &address);
    void showHelp();
    void showAbout();

    QString fieldText(Recipe::Field field) const override;
    void setFieldText(Recipe::Field field, const QString &text) override;
    void setFieldEnabled(Recipe::Field field, bool enabled) override;
    void focusField(Recipe::Field field) override;
    void setRecordCounter(const QString &text) override;
    void beep() override;
    QWidget *dialogParent() override;
    void closeWindow() override;
    DisplayedText &displayedText(Recipe::Field field) override;
    Printer &printer() override;

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
    QWidget *fieldWidget(Recipe::Field field) const;

    QAction *addMenuItem(QMenu *menu, const char *objectName, const QString &text, const QKeySequence &shortcut,
                         std::function<void()> handler);
    // Runs an event handler inside the guard, which shows an error it raises.
    void run(const std::function<void()> &handler);

    DefaultPrinter m_printer;
    QString m_savedPdf; // where the last document went when no printer is installed
    MainLogic m_logic;

    TabbedPages *m_tabs = nullptr;
    FieldLineEdit *m_lineEdits[4] = {}; // the name, the times and the servings
    FieldTextEdit *m_textEdits[2] = {}; // the ingredients and the directions
    QLabel *m_recordCounter = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_previousButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QList<QKeySequence> m_menuShortcuts;
};
