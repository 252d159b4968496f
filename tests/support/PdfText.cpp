#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        return QString();
    }
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// The number that `pattern` captures in what pdfinfo says, or -1.
double info(const QString &pdf, const QString &pattern)
{
    const QRegularExpression number(pattern, QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = number.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

} // namespace

bool PdfText::toolsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QStringList PdfText::lines(const QString &pdf)
{
    QStringList result;
    for (const QString &line : run(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"}).split(u'\n')) {
        const QString text = line.trimmed().remove(u'\f');
        if (!text.isEmpty())
            result << text;
    }
    return result;
}

int PdfText::pageCount(const QString &pdf)
{
    return int(info(pdf, QStringLiteral("^Pages:\\s+(\\d+)")));
}

qreal PdfText::pageHeight(const QString &pdf)
{
    return info(pdf, QStringLiteral("^Page size:\\s+[\\d.]+ x ([\\d.]+)"));
}

QList<PdfText::Word> PdfText::words(const QString &pdf)
{
    static const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> result;
    int page = 0;
    for (auto it = tag.globalMatch(run(QStringLiteral("pdftotext"), {"-bbox", "-enc", "UTF-8", pdf, "-"})); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        result << Word{match.captured(5), QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                                                 QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                       page};
    }
    return result;
}
