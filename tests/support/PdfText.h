#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>

// A PDF read back with poppler-utils: its text lines (blank ones left out), its words with their
// boxes (points from the page's top-left corner) and pages, and pdfinfo's figures. A missing or
// failing tool gives nothing.
struct PdfText
{
    struct Word
    {
        QString text;
        QRectF box;
        int page;
    };
    static QStringList lines(const QString &pdf);
    static QList<Word> words(const QString &pdf);
    static int pageCount(const QString &pdf) { return int(info(pdf, "^Pages:\\s+(\\d+)")); }
    static qreal pageHeight(const QString &pdf) { return info(pdf, "^Page size:\\s+[\\d.]+ x ([\\d.]+)"); }
    static qreal info(const QString &pdf, const QString &pattern);
};
