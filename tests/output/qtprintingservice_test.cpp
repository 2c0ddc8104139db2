#include "platform/qt/qtprintingservice.h"

#include "output/printcommand.h"
#include "tests/output/commandlog.h"
#include "tests/output/obstacles.h"
#include "tests/output/wordlists.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {

using testing::Obstacle;

// A PDF file as pdftotext reads it back: its words with their page (from 1)
// and box in points from the top left of the page.
struct Word
{
    int page;
    QString text;
    double xMin, yMin, yMax;
};

std::vector<Word> wordsOf(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    process.waitForFinished();
    static const QRegularExpression element(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    std::vector<Word> words;
    int page = 0;
    for (const QRegularExpressionMatch &m : element.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
        if (m.captured(0) == u"<page ")
            ++page;
        else
            words.push_back({page, m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()});
    }
    return words;
}

// The pages of a numbered list: "H" for the heading, then the numbers of the rows.
QStringList pagesOf(const std::vector<Word> &words)
{
    QStringList pages;
    for (const Word &word : words) {
        pages.resize(word.page);
        pages.back() += word.text == u"Formes" ? u"H"_s : word.text.startsWith(u"forme") ? word.text.mid(5) + u' ' : QString();
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
const bool noCupsServer = qEnvironmentVariableIsSet("LEXALON_CUPS_PRINTER")
                          || qputenv("CUPS_SERVER", "/nonexistent/lexalon-test-cups.sock");
constexpr double margin = 10, tolerance = 1; // points

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
    std::vector<MessageRequest> printPdf(int rows, const QString &pdf)
    {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin)));
        m_printer.setOutputFileName(pdf);
        return print(rows, m_service);
    }

    QPrinter m_printer{QPrinter::HighResolution};
    QtPrintingService m_service{m_printer}; // one for every test: it is used again and again

private Q_SLOTS:
    // On pages shorter than 67 rows, no row below the bottom margin; the
    // heading at the top left of the printable area, the counts 5000 twips
    // to the right.
    void layoutInAPdfFile()
    {
        const QTemporaryDir dir;
        QVERIFY(printPdf(100, dir.filePath(u"liste.pdf"_s)).empty());

        const std::vector<Word> words = wordsOf(dir.filePath(u"liste.pdf"_s));
        const QStringList pages = pagesOf(words);
        QVERIFY2(pages.size() > 1 && pages.join(QString()) == u'H' + numbers(1, 100), qPrintable(pages.join(u'/')));
        const double bottom = QPageSize(QPageSize::A5).size(QPageSize::Point).height() - margin;
        for (const Word &word : words) {
            QVERIFY2(word.yMax <= bottom + tolerance, qPrintable(word.text));
            QVERIFY(word.text != u"Formes" || qAbs(word.yMin - margin - tolerance) < tolerance);
            const bool count = word.text == u"Nombre" || (word.page == 1 && word.text == u"3");
            if (count || word.text == u"Formes" || word.text == u"forme3")
                QVERIFY2(qAbs(word.xMin - margin - (count ? printlayout::countX / 20.0 : 0)) < tolerance, qPrintable(word.text));
        }
    }

    void unwritableFileIsReported_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::newRow("no printer: no file named") << Obstacle::None;
        QTest::newRow("folder does not exist") << Obstacle::MissingFolder;
        QTest::newRow("folder is read-only") << Obstacle::ReadOnlyFolder;
        QTest::newRow("file is read-only") << Obstacle::ReadOnlyFile;
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

        const std::vector<MessageRequest> messages = printPdf(3, pdf);

        QCOMPARE(messages.size(), size_t(1));
        const QString reason = messages[0].prompt.section(u"\r\n"_s, 1);
        QVERIFY2(pdf.isEmpty() ? reason == u"Aucune imprimante n'est disponible."_s : reason.contains(pdf), qPrintable(reason));
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        if (!before.isEmpty())
            QCOMPARE(testing::contentOf(pdf), testing::oldContent);
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
            return pagesOf(wordsOf(files.size() == 1 ? output.filePath(files[0]) : QString()));
        };
        QTRY_COMPARE_WITH_TIMEOUT(printed().size(), 3, 60'000);
        QCOMPARE(printed(), (QStringList{u'H' + numbers(1, 67), numbers(68, 135), numbers(136, 136)}));
    }
};

} // namespace lexalon

QTEST_MAIN(lexalon::QtPrintingServiceTest)
#include "qtprintingservice_test.moc"
