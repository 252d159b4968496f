#include "QtPrinter.h"

#include <QtTest>

#include <sys/stat.h>

class TestPdfMode : public QObject
{
    Q_OBJECT

private slots:
    void keptPdfGetsTheModeOfAnyNewFile_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("mode");
        QTest::newRow("umask 022: readable by all") << 022 << 0644;
        QTest::newRow("umask 002: group may write") << 002 << 0664;
        QTest::newRow("umask 077: owner only") << 077 << 0600;
    }

    void keptPdfGetsTheModeOfAnyNewFile()
    {
        QFETCH(int, umask);
        QFETCH(int, mode);
        QTemporaryDir dir;
        QString kept;
        QtPrinter printer(dir.path(), [&](const QString &path) { kept = path; }, QtPrinter::PdfFile);
        const mode_t before = ::umask(mode_t(umask));
        printer.printLine(QStringLiteral("Soup"));
        printer.endDoc();
        ::umask(before);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &info), 0);
        QCOMPARE(QString::number(info.st_mode & 07777, 8), QString::number(mode, 8));
    }
};

QTEST_MAIN(TestPdfMode)
#include "tst_pdfmode.moc"
