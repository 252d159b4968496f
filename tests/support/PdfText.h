#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>

// A PDF read back with poppler-utils: its text lines (blank ones dropped), its words with their
// boxes and pages, and its page count and height. A missing or failing tool gives nothing.
class PdfText
{
public:
    struct Word
    {
        QString text;
        QRectF box; // points, from the top-left corner of the page
        int page;
    };
    static bool toolsAvailable();
    static QStringList lines(const QString &pdf);
    static QList<Word> words(const QString &pdf);
    static int pageCount(const QString &pdf) { return int(info(pdf, QStringLiteral("^Pages:\\s+(\\d+)"))); }
    static qreal pageHeight(const QString &pdf) { return info(pdf, QStringLiteral("^Page size:\\s+[\\d.]+ x ([\\d.]+)")); }

private:
    static qreal info(const QString &pdf, const QString &pattern);
};
