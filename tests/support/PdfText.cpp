#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process; // ends the tool when it goes
    process.start(tool, arguments);
    const bool done = process.waitForFinished(60000) && process.exitCode() == 0;
    return done ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

} // namespace

QStringList PdfText::lines(const QString &pdf)
{
    QStringList result = run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).split(u'\n');
    return result.replaceInStrings(QRegularExpression("^\\s+|\\s+$|\\f"), QString()).filter(QRegularExpression("."));
}

QList<PdfText::Word> PdfText::words(const QString &pdf)
{
    static const QRegularExpression tag(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    QList<Word> result;
    int page = 0;
    for (auto it = tag.globalMatch(run("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"})); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(5).isNull() && ++page)
            continue;
        result << Word{m.captured(5),
                       QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                              QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                       page};
    }
    return result;
}

qreal PdfText::info(const QString &pdf, const QString &pattern)
{
    const QRegularExpressionMatch m
        = QRegularExpression(pattern, QRegularExpression::MultilineOption).match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}
