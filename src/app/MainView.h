#pragma once

#include "store/Recipe.h"

#include <QString>

class DisplayedText;
class Printer;
class QWidget;

// What the main window's logic needs of the window: a box for each field of the recipe, the
// record counter, the beep, the focus, closing and the printer. MainWindow implements it; tests
// use a stand-alone double.
class MainView
{
public:
    virtual ~MainView() = default;

    virtual QString fieldText(Recipe::Field field) const = 0;
    virtual void setFieldText(Recipe::Field field, const QString &text) = 0;
    virtual void setFieldEnabled(Recipe::Field field, bool enabled) = 0;
    virtual void focusField(Recipe::Field field) = 0;
    virtual void setRecordCounter(const QString &text) = 0;
    virtual void beep() = 0;
    // The owner of message boxes; null while the window is not on view.
    virtual QWidget *dialogParent() = 0;
    virtual void closeWindow() = 0;

    // The ingredients or the directions as their box shows them, for printing.
    virtual DisplayedText &displayedText(Recipe::Field field) = 0;
    // The default printer.
    virtual Printer &printer() = 0;
};
