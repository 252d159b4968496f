#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

// A PDF read back with poppler-utils: its non-blank lines and its page count; nothing on failure.
namespace PdfText {
inline QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process; // ends the tool when it goes
    process.start(tool, arguments);
    const bool done = process.waitForFinished(60000) && process.exitCode() == 0;
    return done ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}
inline QStringList lines(const QString &pdf)
{
    QStringList result = run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).split(u'\n');
    return result.replaceInStrings(QRegularExpression("^\\s+|\\s+$|\\f"), QString()).filter(QRegularExpression("."));
}
inline int pageCount(const QString &pdf)
{
    const QRegularExpression pages("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption);
    return pages.match(run("pdfinfo", {pdf})).captured(1).toInt();
}
} // namespace PdfText
