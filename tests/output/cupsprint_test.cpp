// Printing through the real printing system: a CUPS server started by
// with-cups.sh, whose PDF printer writes what it receives to a folder.

#include "output/printcommand.h"
#include "platform/qt/qtprintingservice.h"
#include "tests/output/pdfwords.h"
#include "tests/output/wordlists.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QObject>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>

using namespace Qt::StringLiterals;

namespace lexalon {

class CupsPrintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listOf136FormsComesOutOnThreePages()
    {
        const QString queue = qEnvironmentVariable("LEXALON_CUPS_PRINTER");
        const QDir output(qEnvironmentVariable("LEXALON_CUPS_OUTPUT"));
        if (queue.isEmpty())
            QSKIP("run through with-cups.sh, which starts the CUPS server and its PDF printer");
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(queue), qPrintable(queue + u" is not offered"_s));
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue);
        QVERIFY(printer.isValid());
        QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
        QtPrintingService service(printer);
        ScriptedFileDialogs dialogs;
        ScriptedMessageBox messages;
        RecordingBusyPointer pointer;

        printWordList(testing::numberedWordList(136), dialogs, service, messages, pointer);

        if (!messages.requests().empty())
            QFAIL(qPrintable(messages.requests().front().prompt));
        // The printer spools, converts and writes the file after the program
        // is done: its pages are read until all are there.
        testing::PrintedPdf pdf;
        const auto read = [&] {
            const QStringList files = output.entryList({u"*.pdf"_s}, QDir::Files);
            pdf = files.size() == 1 ? testing::readPdf(output.filePath(files[0])) : testing::PrintedPdf();
            return pdf.pages;
        };
        QTRY_COMPARE_WITH_TIMEOUT(read(), 3, 60'000);
        using testing::range;
        QCOMPARE(pdf.rowsByPage(), (std::vector<std::vector<int>>{range(1, 67), range(68, 135), {136}}));
        QCOMPARE(pdf.pagesOf(u"Formes"_s), std::vector<int>{1});
        QCOMPARE(pdf.pagesOf(u"Nombre"_s), std::vector<int>{1});
        QCOMPARE(pdf.pagesOf(QString(60, u'-')), std::vector<int>{1});
    }
};

} // namespace lexalon

QTEST_MAIN(lexalon::CupsPrintTest)
#include "cupsprint_test.moc"
