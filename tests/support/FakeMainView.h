#pragma once

#include "FakeTextBox.h"
#include "app/MainView.h"
#include "RecordingPrinter.h"

// The main window without a window: six texts, their enabled states, the counter, the box that
// got the focus, the beeps and a recording printer.
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
    void unload() override {}
    MultiLineTextBox &multiLineBox(Box box) override { return m_boxes[box - txtIngredients] = FakeTextBox(texts[box]); }
    Printer &printer() override { return recorder; }

    QString texts[BoxCount];
    bool enabled[BoxCount] = {};
    QString counter;
    int focus = -1;
    int beeps = 0;
    RecordingPrinter recorder;

private:
    FakeTextBox m_boxes[2];
};
