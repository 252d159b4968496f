#pragma once

#include "FakeTextBox.h"
#include "RecordingPrinter.h"
#include "app/MainView.h"
#include "store/RecipeList.h"

// The main window without a window: the boxes, the counter, the focus, the beeps and a printer.
class FakeMainView : public MainView
{
public:
    QString fieldText(Recipe::Field field) const override { return texts[field]; }
    void setFieldText(Recipe::Field field, const QString &text) override { texts[field] = text; }
    void setFieldEnabled(Recipe::Field field, bool isEnabled) override { enabled[field] = isEnabled; }
    void focusField(Recipe::Field field) override { focus = field; }
    void setRecordCounter(const QString &text) override { counter = text; }
    void beep() override { ++beeps; }
    QWidget *dialogParent() override { return nullptr; }
    void closeWindow() override { }
    DisplayedText &displayedText(Recipe::Field field) override
    {
        return m_boxes[field - Recipe::Ingredients] = FakeTextBox(texts[field]);
    }
    Printer &printer() override { return recorder; }
    // The recipes as the user sees them: the list with the boxes of the recipe on view.
    RecipeList shown(RecipeList list) const
    {
        for (int box = 0; list.count() > 0 && box < Recipe::FieldCount; ++box)
            list.at(list.current()).field(box) = texts[box];
        return list;
    }

    QString texts[Recipe::FieldCount];
    bool enabled[Recipe::FieldCount] = {};
    QString counter;
    int focus = -1;
    int beeps = 0;
    RecordingPrinter recorder;

private:
    FakeTextBox m_boxes[2];
};
