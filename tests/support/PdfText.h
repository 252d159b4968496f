#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Reads a PDF back with poppler-utils, each tool waited for a bounded time; a tool that is
// missing or fails gives an empty answer.
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
    // One string per text line, in order across the pages; blanks at the ends and blank lines dropped.
    static QStringList lines(const QString &pdf);
    static int pageCount(const QString &pdf);
    static qreal pageHeight(const QString &pdf);
    static QList<Word> words(const QString &pdf);
};
