#pragma once

#include "print/Printer.h"

#include <QStringList>

#include <functional>

// Writes down each operation: "line(12) text" (with the font size it is printed at), "fontSize 10",
// "leftEdge -720", "topEdge 0", "endDocument", "abortDocument". `fail` sees each first and may throw.
class RecordingPrinter : public Printer
{
public:
    void printLine(const QString &text) override { record(QStringLiteral("line(%1) %2").arg(m_size).arg(text)); }
    void setFontSize(float points) override { record(QStringLiteral("fontSize %1").arg(m_size = points)); }
    void endDocument() override { record("endDocument"); }
    void abortDocument() override { record("abortDocument"); }
    void setLeftEdge(float twips) override { record(QStringLiteral("leftEdge %1").arg(twips)); }
    void setTopEdge(float twips) override { record(QStringLiteral("topEdge %1").arg(twips)); }

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
