#pragma once

#include "Printer.h"

#include <QStringList>

#include <functional>

// A printer that writes down each operation: "line(12) text" (a line with the font size it is
// printed at), "fontSize 10", "scaleLeft -720", "scaleTop 0", "endDoc", "killDoc". It holds its
// font size from one document to the next. `beforeOperation` sees each entry first and may throw.
class RecordingPrinter : public Printer
{
public:
    void printLine(const QString &text) override { record(QStringLiteral("line(%1) %2").arg(m_fontSize).arg(text)); }
    void setFontSize(float points) override
    {
        record(QStringLiteral("fontSize %1").arg(points));
        m_fontSize = points;
    }
    void endDoc() override { record(QStringLiteral("endDoc")); }
    void killDoc() override { record(QStringLiteral("killDoc")); }
    void setScaleLeft(float twips) override { record(QStringLiteral("scaleLeft %1").arg(twips)); }
    void setScaleTop(float twips) override { record(QStringLiteral("scaleTop %1").arg(twips)); }

    QStringList operations;
    std::function<void(const QString &operation)> beforeOperation;

private:
    void record(const QString &operation)
    {
        if (beforeOperation)
            beforeOperation(operation);
        operations << operation;
    }

    float m_fontSize = 12;
};
