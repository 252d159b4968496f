#pragma once

#include "Printer.h"

#include <QStringList>

#include <functional>

// A printer that writes down what it is asked to do, one entry per operation:
//   "line(12) Recipes"   a printed line, with the font size it is printed at
//   "fontSize 10", "scaleLeft -720", "scaleTop 0", "endDoc", "killDoc"
// Like a real printer it holds its font size from one document to the next. A test can make
// any operation fail by throwing from `beforeOperation`, which sees the entry first.
class RecordingPrinter : public Printer
{
public:
    explicit RecordingPrinter(float fontSize = 12)
        : m_fontSize(fontSize)
    {
    }

    void printLine(const QString &text) override;
    void setFontSize(float points) override;
    void endDoc() override;
    void killDoc() override;
    void setScaleLeft(float twips) override;
    void setScaleTop(float twips) override;

    QStringList operations;
    std::function<void(const QString &operation)> beforeOperation;

    // The printed texts alone, in order.
    QStringList lines() const;

private:
    void record(const QString &operation);

    float m_fontSize;
};
