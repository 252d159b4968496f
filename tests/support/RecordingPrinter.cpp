#include "RecordingPrinter.h"

void RecordingPrinter::record(const QString &operation)
{
    if (beforeOperation)
        beforeOperation(operation);
    operations << operation;
}

void RecordingPrinter::printLine(const QString &text)
{
    record(QStringLiteral("line(%1) %2").arg(double(m_fontSize)).arg(text));
}

void RecordingPrinter::setFontSize(float points)
{
    record(QStringLiteral("fontSize %1").arg(double(points)));
    m_fontSize = points;
}

void RecordingPrinter::endDoc()
{
    record(QStringLiteral("endDoc"));
}

void RecordingPrinter::killDoc()
{
    record(QStringLiteral("killDoc"));
}

void RecordingPrinter::setScaleLeft(float twips)
{
    record(QStringLiteral("scaleLeft %1").arg(double(twips)));
}

void RecordingPrinter::setScaleTop(float twips)
{
    record(QStringLiteral("scaleTop %1").arg(double(twips)));
}

QStringList RecordingPrinter::lines() const
{
    QStringList result;
    for (const QString &operation : operations) {
        if (operation.startsWith(QStringLiteral("line(")))
            result << operation.mid(operation.indexOf(u')') + 2);
    }
    return result;
}
