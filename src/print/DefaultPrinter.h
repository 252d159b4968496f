#pragma once

#include "print/Printer.h"

#include <QCoreApplication>
#include <QFont>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

// The default printer: each document is drawn with QPainter into a PDF laid out for the system's
// default printer (its paper and printable area) and, once ended, handed to that printer as one
// job through CUPS. With no printer installed the document becomes a new PDF file in the
// given folder instead, never replacing a file there, and the file's path is passed on.
//
// Lines go one below the other at the current font size, starting at the origin the scale
// settings give; a line that no longer fits on the page starts a new page. The font size and
// the scale settings belong to the printer and carry over from one document to the next.
class DefaultPrinter : public Printer
{
    Q_DECLARE_TR_FUNCTIONS(DefaultPrinter)

public:
    enum Target { ToPrinter, ToPdfFile };
    using PdfWritten = std::function<void(const QString &path)>;

    static constexpr int PrinterError = 482;
    static constexpr int InvalidPropertyValue = 380;
    // The size the printer holds until a document sets one.
    static constexpr float DefaultFontSize = 12;

    DefaultPrinter(const QString &pdfFolder, PdfWritten pdfWritten, Target target = ToPrinter);
    ~DefaultPrinter() override; // discards a document left open

    void printLine(const QString &text = QString()) override;
    void setFontSize(float points) override;
    void endDocument() override;
    void abortDocument() override;
    void setLeftEdge(float twips) override;
    void setTopEdge(float twips) override;

    // Pages of the document in progress, or of the last one.
    int pageCount() const { return m_pages; }
    float fontSize() const { return m_fontSize; }

    // PRINTOUT-%1.PDF, the names of the documents kept as PDF files.
    static QString pdfPattern();
    // The system's default printer, empty when there is none.
    static QString defaultPrinterName();

private:
    struct Document;

    void begin();
    void applyFont();
    void placeLine();
    QString keepPdf(const QString &temporary) const;
    void submit(const QString &printerName, const QString &pageSizeKey, const QString &file) const;

    QString m_pdfFolder;
    PdfWritten m_pdfWritten;
    Target m_target;

    float m_fontSize = DefaultFontSize;
    float m_leftEdge = 0;
    float m_topEdge = 0;
    int m_pages = 0;

    std::unique_ptr<Document> m_doc;
};
