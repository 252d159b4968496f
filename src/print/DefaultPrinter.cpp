#include "print/DefaultPrinter.h"

#include "core/NumberedName.h"
#include "core/RuntimeError.h"
#include "resources/AppInfo.h"
#include "store/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cmath>
#include <cups/cups.h>

namespace {

constexpr qreal TwipsPerInch = 1440;

RuntimeError printerError(const QString &reason = QString())
{
    return RuntimeError(DefaultPrinter::PrinterError,
                        reason.isEmpty() ? DefaultPrinter::tr("Printer error")
                                         : DefaultPrinter::tr("Printer error: %1").arg(reason));
}

// QPdfEngine reports no write errors, so a complete file is recognised by its trailer.
bool isCompletePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 64)
        return false;
    file.seek(file.size() - 32);
    return file.read(32).contains("%%EOF");
}

// The page of a PDF made without a printer: the local paper with the unprintable border of an
// ordinary printer, a quarter of an inch.
QPageLayout pdfPageLayout()
{
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(18, 18, 18, 18), QPageLayout::Point);
}

} // namespace

struct DefaultPrinter::Document
{
    QString printerName; // empty: the document is kept as a PDF file
    QString pageSizeKey;
    std::unique_ptr<QTemporaryFile> file;
    std::unique_ptr<QPrinter> device;
    std::unique_ptr<QPainter> painter;
    QFont font;
    qreal dotsPerTwip = 0;
    qreal pageHeight = 0;
    qreal top = 0;
    qreal y = 0;
    qreal lineSpacing = 0;
    qreal ascent = 0;

    ~Document()
    {
        if (painter && painter->isActive())
            painter->end();
    }
};

DefaultPrinter::DefaultPrinter(const QString &pdfFolder, PdfWritten pdfWritten, Target target)
    : m_pdfFolder(pdfFolder)
    , m_pdfWritten(std::move(pdfWritten))
    , m_target(target)
{ }

DefaultPrinter::~DefaultPrinter() = default;

QString DefaultPrinter::pdfPattern()
{
    return QStringLiteral("PRINTOUT-%1.PDF");
}

QString DefaultPrinter::defaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}

void DefaultPrinter::begin()
{
    auto doc = std::make_unique<Document>();
    if (m_target == ToPrinter)
        doc->printerName = defaultPrinterName();

    QPageLayout layout = pdfPageLayout();
    if (!doc->printerName.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(doc->printerName);
        if (info.isNull())
            throw printerError(tr("the printer %1 cannot be found").arg(doc->printerName));
        layout = QPrinter(info, QPrinter::HighResolution).pageLayout();
    }
    doc->pageSizeKey = layout.pageSize().key();

    // Drawn into a file of our own so that an aborted document never reaches the printer.
    doc->file = std::make_unique<QTemporaryFile>(
        doc->printerName.isEmpty() ? QDir(m_pdfFolder).filePath(QStringLiteral(".PRINTOUT-XXXXXX.PDF"))
                                   : QDir::temp().filePath(QStringLiteral("larderly-print-XXXXXX.pdf")));
    if (!doc->file->open())
        throw RuntimeError(doc->file->error() == QFileDevice::PermissionsError ? RuntimeError::PermissionDenied
                                                                               : RuntimeError::PathFileAccessError);
    doc->file->close();

    doc->device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    doc->device->setOutputFormat(QPrinter::PdfFormat);
    doc->device->setPageLayout(layout);
    doc->device->setOutputFileName(doc->file->fileName());
    doc->device->setDocName(AppInfo::title());
    doc->device->setCreator(AppInfo::title());
    doc->painter = std::make_unique<QPainter>();
    if (!doc->painter->begin(doc->device.get()))
        throw printerError();

    doc->dotsPerTwip = doc->device->resolution() / TwipsPerInch;
    doc->pageHeight = doc->device->pageRect(QPrinter::DevicePixel).height();
    doc->top = -m_topEdge * doc->dotsPerTwip;
    doc->y = doc->top;
    doc->font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    doc->font.setStyleHint(QFont::SansSerif);
    m_doc = std::move(doc);
    m_pages = 1;
    applyFont();
}

void DefaultPrinter::applyFont()
{
    m_doc->font.setPointSizeF(m_fontSize);
    m_doc->painter->setFont(m_doc->font);
    const QFontMetricsF metrics(m_doc->font, m_doc->device.get());
    m_doc->lineSpacing = metrics.lineSpacing();
    m_doc->ascent = metrics.ascent();
}

void DefaultPrinter::placeLine()
{
    // A line taller than the page still goes on a page of its own.
    if (m_doc->y > m_doc->top && m_doc->y + m_doc->lineSpacing > m_doc->pageHeight) {
        if (!m_doc->device->newPage())
            throw printerError();
        ++m_pages;
        m_doc->top = -m_topEdge * m_doc->dotsPerTwip;
        m_doc->y = m_doc->top;
    }
}

void DefaultPrinter::printLine(const QString &text)
{
    if (!m_doc)
        begin();
    const qreal x = -m_leftEdge * m_doc->dotsPerTwip;
    qsizetype from = 0;
    for (;;) {
        qsizetype end = from;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n' && text[end] != QChar::LineSeparator
               && text[end] != QChar::ParagraphSeparator)
            ++end;
        placeLine();
        if (end > from)
            m_doc->painter->drawText(QPointF(x, m_doc->y + m_doc->ascent), text.mid(from, end - from));
        m_doc->y += m_doc->lineSpacing;
        if (end == text.size())
            break;
        from = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
    }
}

void DefaultPrinter::setFontSize(float points)
{
    if (!(points > 0) || !std::isfinite(points))
        throw RuntimeError(InvalidPropertyValue, tr("Invalid property value"));
    m_fontSize = points;
    if (m_doc)
        applyFont();
}

void DefaultPrinter::setLeftEdge(float twips)
{
    if (!std::isfinite(twips))
        throw RuntimeError(InvalidPropertyValue, tr("Invalid property value"));
    m_leftEdge = twips;
}

void DefaultPrinter::setTopEdge(float twips)
{
    if (!std::isfinite(twips))
        throw RuntimeError(InvalidPropertyValue, tr("Invalid property value"));
    m_topEdge = twips;
}

void DefaultPrinter::endDocument()
{
    if (!m_doc)
        return; // nothing printed, nothing to hand over
    // Whatever happens from here, the document is closed: a failed end discards it.
    const std::unique_ptr<Document> doc = std::move(m_doc);
    const bool ended = doc->painter->end();
    const QString file = doc->file->fileName();
    if (!ended || !isCompletePdf(file))
        throw RuntimeError(RuntimeError::DeviceIOError);
    if (doc->printerName.isEmpty()) {
        const QString kept = keepPdf(file);
        if (m_pdfWritten)
            m_pdfWritten(kept);
    } else {
        submit(doc->printerName, doc->pageSizeKey, file);
    }
}

void DefaultPrinter::abortDocument()
{
    m_doc.reset(); // the temporary file goes with it
}

QString DefaultPrinter::keepPdf(const QString &temporary) const
{
    int error = 0;
    const QString kept = NumberedName::claimFirstFree(m_pdfFolder, pdfPattern(), [&](const QString &path) {
        switch (FileSystem::moveToNewName(temporary, path, &error)) {
        case FileSystem::NewName::Moved:
            return NumberedName::Claim::Claimed;
        case FileSystem::NewName::Taken:
            return NumberedName::Claim::Taken;
        case FileSystem::NewName::Failed:
            break;
        }
        return NumberedName::Claim::Failed;
    });
    if (kept.isEmpty()) // an error, or all 9999 names taken
        throw RuntimeError::fromErrno(error, RuntimeError::PathFileAccessError);
    return kept;
}

void DefaultPrinter::submit(const QString &printerName, const QString &pageSizeKey, const QString &file) const
{
    // CUPS wants the queue without an instance name.
    const QByteArray queue = printerName.section(u'/', 0, 0).toLocal8Bit();
    cups_option_t *options = nullptr;
    const int optionCount = cupsAddOption("media", pageSizeKey.toLatin1().constData(), 0, &options);
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(file).constData(),
                                  AppInfo::title().toLocal8Bit().constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job == 0)
        throw printerError(QString::fromLocal8Bit(cupsLastErrorString()));
}
