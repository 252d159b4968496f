#pragma once

#include <QString>

class MultiLineTextBox;
class Printer;
class QWidget;

// What the main window's logic needs of the window: the six text boxes, the record counter, the
// beep, the focus, closing and the printer. frmMain implements it; tests use a stand-alone double.
class MainView
{
public:
    // The text boxes, in the order of the recipe's fields.
    enum Box { txtName, txtPrep, txtCook, txtServe, txtIngredients, txtDirections };
    static constexpr int BoxCount = 6;

    virtual ~MainView() = default;

    virtual QString boxText(Box box) const = 0;
    virtual void setBoxText(Box box, const QString &text) = 0;
    virtual void setBoxEnabled(Box box, bool enabled) = 0;
    virtual void focusBox(Box box) = 0;
    virtual void setCounterCaption(const QString &caption) = 0;
    virtual void beep() = 0;
    // The owner of message boxes; null while the window is not on view.
    virtual QWidget *dialogParent() = 0;
    virtual void unload() = 0;

    // txtIngredients or txtDirections, as the printing code queries its lines.
    virtual MultiLineTextBox &multiLineBox(Box box) = 0;
    // The default printer.
    virtual Printer &printer() = 0;
};
