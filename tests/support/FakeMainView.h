#pragma once

#include "FakeTextBox.h"
#include "MainView.h"
#include "RecordingPrinter.h"

// A stand-alone main window for the logic tests: six texts, their enabled states, the counter,
// the focus, a count of beeps and a recording printer. The multi-line boxes break their text at
// its line breaks only.
class FakeMainView : public MainView
{
public:
    QString boxText(Box box) const override { return texts[box]; }
    void setBoxText(Box box, const QString &text) override { texts[box] = text; }
    void setBoxEnabled(Box box, bool isEnabled) override { enabled[box] = isEnabled; }
    void focusBox(Box box) override { focus = box; }
    void setCounterCaption(const QString &caption) override { counter = caption; }
    void beep() override { ++beeps; }
    QWidget *dialogParent() override { return nullptr; }
    void unload() override { unloaded = true; }
    MultiLineTextBox &multiLineBox(Box box) override
    {
        FakeTextBox &shown = box == txtDirections ? m_directions : m_ingredients;
        shown = FakeTextBox(texts[box]);
        return shown;
    }
    Printer &printer() override { return recorder; }

    QString texts[BoxCount];
    bool enabled[BoxCount] = {true, true, true, true, true, true};
    QString counter;
    int focus = -1;
    int beeps = 0;
    bool unloaded = false;
    RecordingPrinter recorder;

private:
    FakeTextBox m_ingredients;
    FakeTextBox m_directions;
};
