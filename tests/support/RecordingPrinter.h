#pragma once

#include "print/Printer.h"

#include <QStringList>

#include <functional>

// Writes down each operation: "line(12) text" (with the font size it is printed at), "fontSize 10",
// "scaleLeft -720", "scaleTop 0", "endDoc", "killDoc". `fail` sees each first and may throw.
class RecordingPrinter : public Printer
{
public:
    void printLine(const QString &text) override { record(QStringLiteral("line(%1) %2").arg(m_size).arg(text)); }
    void setFontSize(float points) override { record(QStringLiteral("fontSize %1").arg(m_size = points)); }
    void endDoc() override { record("endDoc"); }
    void killDoc() override { record("killDoc"); }
    void setScaleLeft(float twips) override { record(QStringLiteral("scaleLeft %1").arg(twips)); }
    void setScaleTop(float twips) override { record(QStringLiteral("scaleTop %1").arg(twips)); }

    QStringList operations;
    std::function<void(const QString &operation)> fail;

private:
    void record(const QString &operation)
    {
        if (fail)
            fail(operation);
        operations << operation;
    }
    float m_size = 12;
};
