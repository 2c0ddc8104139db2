// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/qtprintingservice.h"

#include "commands/printcommand.h"
#include "tests/support/commandlog.h"
#include "tests/support/obstacles.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/wordlists.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {

using testing::Obstacle;

// The pages of a numbered list in a PDF file, as pdftotext reads them: "H"
// for the heading, then the numbers of the rows.
QStringList pagesOf(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {pdf, u"-"_s});
    process.waitForFinished();
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // each page ends with a form feed
    static const QRegularExpression word(uR"(\bFormes\b|\bforme(\d+)\b)"_s);
    for (QString &page : pages) {
        QString rows;
        for (const QRegularExpressionMatch &m : word.globalMatch(page))
            rows += m.hasCaptured(1) ? m.captured(1) + u' ' : u"H"_s;
        page = rows;
    }
    return pages;
}

QString numbers(int first, int last)
{
    QString text;
    for (int n = first; n <= last; ++n)
        text += QString::number(n) + u' ';
    return text;
}

// The machine's printers stay out: CUPS is asked where no server can be, unless with-cups.sh runs one.
const bool noCupsServer = qEnvironmentVariableIsSet("LEXALON_CUPS_PRINTER") || qputenv("CUPS_SERVER", "/nonexistent/lexalon-test-cups.sock");

// Paging is the print command's: here what the Qt printer itself may fail at.
class QtPrintingServiceTest : public QObject
{
    Q_OBJECT

    // Prints a word list; the messages shown.
    static std::vector<MessageRequest> print(int rows, PrintingService &service)
    {
        ScriptedFileDialogs dialogs;
        testing::CommandLog log;
        printWordList(testing::numberedWordList(rows), dialogs, service, log, log);
        return log.messages;
    }

    QPrinter m_printer{QPrinter::HighResolution};
    QtPrintingService m_service{m_printer}; // one for every row: it is used again and again

private Q_SLOTS:
    void unwritableFileIsReported_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::newRow("no printer: no file named") << Obstacle::None;
        QTest::newRow("folder does not exist") << Obstacle::MissingFolder;
        QTest::newRow("disk is full") << Obstacle::FullDisk;
    }

    // The reason names the file; an old file is kept, and nothing is left.
    void unwritableFileIsReported()
    {
        QFETCH(Obstacle, obstacle);
        const QTemporaryDir dir;
        const testing::ObstacleSetup setup(dir.path(), obstacle, u"liste.pdf"_s, 4096);
        if (!setup.skipReason.isEmpty())
            QSKIP(qPrintable(setup.skipReason));
        QVERIFY(setup.ok);
        const QString pdf = obstacle == Obstacle::None ? QString() : setup.path;
        const QDir folder(setup.folder);
        const QStringList before = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(pdf);

        const std::vector<MessageRequest> messages = print(3, m_service);

        QCOMPARE(messages.size(), size_t(1));
        const QString reason = messages[0].prompt.section(u"\r\n"_s, 1);
        QVERIFY2(pdf.isEmpty() ? reason == u"Aucune imprimante n'est disponible."_s : reason.contains(pdf), qPrintable(reason));
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        if (!before.isEmpty())
            QCOMPARE(testing::contentOf(pdf), testing::oldContent);
    }

    // A text's width in twips is the same whatever the printer's resolution:
    // a 9-point figure is about a tenth of an inch wide.
    void textWidthIsInTwips()
    {
        QList<int> widths;
        for (const QPrinter::PrinterMode mode : {QPrinter::ScreenResolution, QPrinter::HighResolution}) {
            QPrinter printer(mode);
            printer.setOutputFormat(QPrinter::PdfFormat);
            QtPrintingService service(printer);
            service.setFontName(u"verdana"_s);
            service.setFontSize(9);
            widths.append(service.textWidth(u"0123456789"_s));
        }
        QVERIFY2(widths[0] > 400 && widths[0] < 1400, qPrintable(QString::number(widths[0])));
        QVERIFY2(std::abs(widths[0] - widths[1]) * 20 < widths[1], qPrintable(QString::number(widths[1])));
    }

    // Through a CUPS server of the test's own, started by with-cups.sh, whose
    // PDF printer writes what it receives to a folder once the program is done.
    void throughCups()
    {
        const QString queue = qEnvironmentVariable("LEXALON_CUPS_PRINTER");
        if (queue.isEmpty())
            QSKIP("run through with-cups.sh, which starts the CUPS server and its PDF printer");
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(queue), qPrintable(queue + u" is not offered"_s));
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue);
        QVERIFY(printer.isValid() && printer.outputFormat() == QPrinter::NativeFormat);
        QtPrintingService service(printer);

        const std::vector<MessageRequest> messages = print(136, service);

        QVERIFY2(messages.empty(), qPrintable(messages.empty() ? QString() : messages[0].prompt));
        const QDir output(qEnvironmentVariable("LEXALON_CUPS_OUTPUT"));
        const auto printed = [&output] {
            const QStringList files = output.entryList({u"*.pdf"_s}, QDir::Files);
            return pagesOf(files.size() == 1 ? output.filePath(files[0]) : QString());
        };
        QTRY_COMPARE_WITH_TIMEOUT(printed().size(), 3, 60'000);
        QCOMPARE(printed(), (QStringList{u'H' + numbers(1, 67), numbers(68, 135), numbers(136, 136)}));
    }
};

} // namespace lexalon

QTEST_MAIN(lexalon::QtPrintingServiceTest)
#include "qtprintingservice_test.moc"
