// Lays out arbitrary text in a FieldTextEdit and in the same box with Qt's own plain-text layout,
// and requires the same lines from both, before and after an edit, and the same lines from what
// the box reports for printing. The first byte sets the width,
// the second where a blank or a letter is typed afterwards (0 for a larger font instead); the rest
// is text over a small alphabet rich in what decides line breaks: blanks, break opportunities and
// their absence, long runs, ideographs, line and paragraph separators.
#include "app/widgets/FieldTextEdit.h"
#include "app/widgets/FieldTextLayout.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Each line as its layout breaks it: start, length and top.
QStringList lines(QTextDocument &doc)
{
    QStringList result;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        doc.documentLayout()->blockBoundingRect(block);
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            result << QStringLiteral("%1+%2@%3")
                          .arg(block.position() + line.textStart())
                          .arg(line.textLength())
                          .arg(line.y());
        }
    }
    return result;
}

struct Boxes
{
    Boxes()
    {
        auto *stock = new QTextDocument(&qt);
        stock->setDocumentLayout(new QPlainTextDocumentLayout(stock));
        qt.setDocument(stock);
        window.resize(900, 600);
        window.show();
        if (!qobject_cast<FieldTextLayout *>(box.document()->documentLayout()))
            std::abort();
    }
    QWidget window;
    FieldTextEdit box{&window}, qt{&window};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_layout", *argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static Boxes boxes;
    Q_UNUSED(offscreen);
    if (size < 2)
        return 0;
    static const QString alphabet = QStringLiteral("aaaaabcdefgh    ..-/\u00a0\u00ad\u200b\u2028\n\u6f22\u5b57\u00e9");
    QString text;
    // A byte from 0xC0 on repeats the character before it, for long runs; the text stays short
    // enough that every run takes well under a second.
    for (size_t i = 2; i < size && text.size() < 8192; ++i) {
        if (data[i] >= 0xC0 && !text.isEmpty())
            text += QString((data[i] - 0xBF) * 8, text.back());
        else
            text += alphabet[data[i] % alphabet.size()];
    }
    const int width = 20 + data[0] * 8;
    QStringList laidOut[2];
    for (FieldTextEdit *edit : {&boxes.box, &boxes.qt}) {
        edit->setFont(QFont(QApplication::font().family(), 9));
        edit->setGeometry(0, edit == &boxes.qt ? 300 : 0, width, 300);
        edit->setFieldText(text);
        lines(*edit->document());
        if (data[1] == 0) {
            edit->setFont(QFont(QApplication::font().family(), 17));
        } else {
            QTextCursor cursor(edit->document());
            cursor.setPosition(data[1] * edit->document()->characterCount() / 256);
            cursor.insertText(data[1] % 2 ? QStringLiteral(" ") : QStringLiteral("x"));
        }
        laidOut[edit == &boxes.qt] = lines(*edit->document());
    }
    if (laidOut[0] != laidOut[1]) {
        std::fprintf(stderr, "fuzz_layout: at width %d the lines differ from Qt's:\n%s\n%s\n", width,
                     qPrintable(laidOut[0].join(u' ')), qPrintable(laidOut[1].join(u' ')));
        std::abort();
    }
    // The lines the box reports for printing are the lines it lays out.
    QStringList reported, shown;
    const QString boxText = boxes.box.text();
    for (int line = 0; line < boxes.box.lineCount(); ++line) {
        const qint32 start = boxes.box.lineIndex(qint16(line));
        reported << boxText.mid(start, boxes.box.lineLength(qint16(start)));
    }
    for (QTextBlock block = boxes.box.document()->begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            const QString text = block.text().mid(line.textStart(), line.textLength());
            // The empty line after a separator that ends a line is the line that break opens.
            if (!(text.isEmpty() && !shown.isEmpty() && shown.last().endsWith(QChar::LineSeparator)))
                shown << text;
        }
        // A separator at the end of a block opens a line, whether or not Qt lays out an empty one.
        if (!shown.isEmpty() && shown.last().endsWith(QChar::LineSeparator))
            shown << QString();
    }
    shown.replaceInStrings(QString(QChar::LineSeparator), QString());
    if (reported != shown) {
        std::fprintf(stderr, "fuzz_layout: the box reports other lines than it shows:\n%s\n%s\n",
                     qPrintable(reported.join(u'|')), qPrintable(shown.join(u'|')));
        std::abort();
    }
    return 0;
}
