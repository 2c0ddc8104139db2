#include "platform/qt/qtprintingservice.h"

#include "output/printcommand.h"
#include "tests/output/obstacles.h"
#include "tests/output/wordlists.h"
#include "tests/support/scripteddialogs.h"

#include <QDir>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {

using testing::Obstacle;

std::vector<int> range(int first, int last)
{
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

// A PDF file as pdftotext reads it back: its pages, and its words with their
// page and box in points from the top left of the page.
struct PrintedPdf
{
    struct Word
    {
        int page; // from 1
        QString text;
        double xMin, yMin, yMax;
    };

    explicit PrintedPdf(const QString &pdf)
    {
        QProcess process;
        process.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
        if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return;
        static const QRegularExpression element(
            uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
        for (const QRegularExpressionMatch &m : element.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
            const QString text = m.captured(4);
            if (m.captured(0) == u"<page ")
                rowsByPage.emplace_back();
            else
                words.push_back({int(rowsByPage.size()), text, m.captured(1).toDouble(), m.captured(2).toDouble(),
                                 m.captured(3).toDouble()});
            if (text.startsWith(u"forme"))
                rowsByPage.back().push_back(text.mid(5).toInt());
        }
    }

    std::vector<int> pagesOf(const QString &text) const
    {
        std::vector<int> pages;
        for (const Word &word : words) {
            if (word.text == text)
                pages.push_back(word.page);
        }
        return pages;
    }

    std::vector<std::vector<int>> rowsByPage; // of a numbered list; one per page
    std::vector<Word> words;
};

using PageRows = std::vector<std::vector<int>>;

// The machine's own printers stay out of these tests: CUPS is asked at an
// address where no server can be, before the first printer is made, unless
// with-cups.sh runs a server of the test's own.
const bool noCupsServer = qEnvironmentVariableIsSet("LEXALON_CUPS_PRINTER")
                          || qputenv("CUPS_SERVER", "/nonexistent/lexalon-test-cups.sock");
constexpr double margin = 10, tolerance = 1; // points
const QString rule(60, u'-');

class QtPrintingServiceTest : public QObject
{
    Q_OBJECT

    // Prints a word list; the messages shown.
    static std::vector<MessageRequest> print(const WordList &list, PrintingService &service)
    {
        ScriptedFileDialogs dialogs;
        ScriptedMessageBox messages;
        RecordingBusyPointer pointer;
        printWordList(list, dialogs, service, messages, pointer);
        return messages.requests();
    }
    std::vector<MessageRequest> print(const WordList &list, const QString &pdf, QPageSize::PageSizeId size = QPageSize::A4)
    {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin)));
        m_printer.setOutputFileName(pdf);
        return print(list, m_service);
    }

    QTemporaryDir m_dir;
    QPrinter m_printer{QPrinter::HighResolution};
    QtPrintingService m_service{m_printer}; // one for every test: it is used again and again

private Q_SLOTS:
    void pages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QPageSize::PageSizeId>("size");
        QTest::addColumn<PageRows>("rowsOnPages"); // empty: more than three pages
        QTest::newRow("heading only: one page") << 0 << QPageSize::A4 << PageRows{{}};
        QTest::newRow("68 rows: the last alone on page 2") << 68 << QPageSize::A4 << PageRows{range(1, 67), {68}};
        QTest::newRow("A7: pages shorter than 68 lines") << 136 << QPageSize::A7 << PageRows{};
    }

    void pages()
    {
        QFETCH(int, rows);
        QFETCH(QPageSize::PageSizeId, size);
        QFETCH(PageRows, rowsOnPages);
        const QString pdf = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);

        QVERIFY(print(testing::numberedWordList(rows), pdf, size).empty());

        const PrintedPdf printed(pdf);
        QVERIFY2(rowsOnPages.empty() ? printed.rowsByPage.size() > 3 : printed.rowsByPage == rowsOnPages,
                 "pdftotext reads the pages back");
        std::vector<int> printedRows;
        for (const std::vector<int> &page : printed.rowsByPage)
            printedRows.insert(printedRows.end(), page.begin(), page.end());
        QCOMPARE(printedRows, range(1, rows));
        QCOMPARE(printed.pagesOf(u"Formes"_s), std::vector<int>{1});
        const double bottom = QPageSize(size).size(QPageSize::Point).height() - margin;
        for (const PrintedPdf::Word &word : printed.words)
            QVERIFY2(word.yMax <= bottom + tolerance, qPrintable(word.text));
    }

    // The heading at the top left of the printable area, the counts 5000
    // twips to the right of its left edge, the heading taller than the rows.
    void layout()
    {
        const QString pdf = m_dir.filePath(u"layout.pdf"_s);
        QVERIFY(print(testing::wordList({{u"été"_s, 2}, {u"hiver"_s, 17}}), pdf).empty());

        using Word = PrintedPdf::Word;
        const std::vector<Word> words = PrintedPdf(pdf).words;
        QCOMPARE(words.size(), size_t(8));
        const auto at = [&words](const QString &text) {
            const auto word = std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == text; });
            return word == words.end() ? Word{0, text, -100, -100, -100} : *word;
        };
        for (const QString &left : {u"Formes"_s, rule, u"été"_s, u"hiver"_s})
            QVERIFY2(qAbs(at(left).xMin - margin) < tolerance, qPrintable(left));
        for (const QString &count : {u"Nombre"_s, u"2"_s, u"17"_s})
            QVERIFY2(qAbs(at(count).xMin - margin - printlayout::countX / 20.0) < tolerance, qPrintable(count));
        QVERIFY(at(u"Formes"_s).yMin >= margin && at(u"Formes"_s).yMin < margin + 2 * tolerance);
        const double headingHeight = at(u"Formes"_s).yMax - at(u"Formes"_s).yMin;
        QVERIFY(qAbs(headingHeight / (at(u"hiver"_s).yMax - at(u"hiver"_s).yMin) - 12.0 / 9.0) < 0.05);
        QVERIFY(at(u"Formes"_s).yMax <= at(rule).yMin + tolerance);
        QVERIFY(at(u"été"_s).yMax <= at(u"hiver"_s).yMin + tolerance);
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
        const auto entries = [&setup] { return QDir(setup.folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
        const QStringList before = entries();

        const std::vector<MessageRequest> messages = print(testing::numberedWordList(3), pdf);

        QCOMPARE(messages.size(), size_t(1));
        const QString reason = messages[0].prompt.section(u"\r\n"_s, 1);
        QVERIFY2(pdf.isEmpty() ? reason == u"Aucune imprimante n'est disponible."_s : reason.contains(pdf), qPrintable(reason));
        QCOMPARE(entries(), before);
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

        const std::vector<MessageRequest> messages = print(testing::numberedWordList(136), service);

        QVERIFY2(messages.empty(), qPrintable(messages.empty() ? QString() : messages[0].prompt));
        const QDir output(qEnvironmentVariable("LEXALON_CUPS_OUTPUT"));
        const auto printed = [&output] {
            const QStringList files = output.entryList({u"*.pdf"_s}, QDir::Files);
            return PrintedPdf(files.size() == 1 ? output.filePath(files[0]) : QString());
        };
        QTRY_COMPARE_WITH_TIMEOUT(printed().rowsByPage.size(), size_t(3), 60'000);
        QCOMPARE(printed().rowsByPage, (PageRows{range(1, 67), range(68, 135), {136}}));
        for (const QString &heading : {u"Formes"_s, u"Nombre"_s, rule})
            QCOMPARE(printed().pagesOf(heading), std::vector<int>{1});
    }
};

} // namespace lexalon

QTEST_MAIN(lexalon::QtPrintingServiceTest)
#include "qtprintingservice_test.moc"
