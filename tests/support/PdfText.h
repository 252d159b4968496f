#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Reads a PDF back with poppler's command-line tools (poppler-utils). Every call waits a bounded
// time; a tool that is missing or fails gives an empty answer.
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
    // The text of the pages first to last (all with 0), one string per text line, blank lines
    // and blanks at the ends dropped.
    static QStringList lines(const QString &pdf, int first = 0, int last = 0);
    static int pageCount(const QString &pdf);
    static QSizeF pageSize(const QString &pdf);
    static QList<Word> words(const QString &pdf);
};
