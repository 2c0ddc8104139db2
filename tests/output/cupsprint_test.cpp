// Printing through the real printing system: a CUPS server started by
// with-cups.sh, whose PDF printer writes what it receives to a folder.

#include "output/printcommand.h"
#include "platform/qt/qtprintingservice.h"
#include "tests/support/scripteddialogs.h"
#include "tests/output/pdfwords.h"
#include "tests/output/wordlists.h"
#include "wordforms/wordgrid.h"

#include <QDir>
#include <QObject>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

using testing::PageRows;
using testing::range;

// The printer spools, converts and writes the file after the program is done.
constexpr int printedWithin = 60'000; // milliseconds

QString pdfinfo(const QString &pdf)
{
    QProcess process;
    process.start(u"pdfinfo"_s, {pdf});
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The one PDF file in the folder, once the printer has written it whole.
QString finishedPdf(const QDir &folder)
{
    const QStringList files = folder.entryList({u"*.pdf"_s}, QDir::Files);
    if (files.size() != 1)
        return QString();
    const QString pdf = folder.filePath(files.constFirst());
    return pdfinfo(pdf).isEmpty() ? QString() : pdf;
}

int pageCount(const QString &pdf)
{
    static const QRegularExpression pages(uR"(^Pages:\s+(\d+)$)"_s, QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(pdfinfo(pdf));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

std::vector<int> pagesHolding(const std::vector<testing::Word> &words, const QString &text)
{
    std::vector<int> pages;
    for (const testing::Word &word : words) {
        if (word.text == text)
            pages.push_back(word.page);
    }
    return pages;
}

} // namespace

class CupsPrintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void listOf136FormsComesOutOnThreePages();

private:
    QString m_queue;
    QDir m_output;
};

void CupsPrintTest::initTestCase()
{
    m_queue = qEnvironmentVariable("LEXALON_CUPS_PRINTER");
    const QString output = qEnvironmentVariable("LEXALON_CUPS_OUTPUT");
    if (m_queue.isEmpty() || output.isEmpty())
        QSKIP("run through with-cups.sh, which starts the CUPS server and its PDF printer");
    m_output.setPath(output);
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(m_queue),
             qPrintable(u"the printer "_s + m_queue + u" is not offered"_s));
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext (poppler-utils) is needed to read the printed pages back");
}

void CupsPrintTest::listOf136FormsComesOutOnThreePages()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(m_queue);
    QVERIFY(printer.isValid());
    QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
    QtPrintingService service(printer);
    ScriptedFileDialogs dialogs;
    ScriptedMessageBox messages;
    RecordingBusyPointer pointer;
    WordGrid grid = testing::numberedWordList(136);

    printWordList(grid, dialogs, service, messages, pointer);

    if (!messages.requests().empty())
        QFAIL(qPrintable(messages.requests().front().prompt));
    QString pdf;
    QTRY_VERIFY_WITH_TIMEOUT(!(pdf = finishedPdf(m_output)).isEmpty(), printedWithin);
    QCOMPARE(pageCount(pdf), 3);
    const std::vector<testing::Word> words = testing::wordsOf(pdf);
    QVERIFY(testing::rowsByPage(words) == (PageRows{range(1, 67), range(68, 135), {136}}));
    QCOMPARE(pagesHolding(words, u"Formes"_s), std::vector<int>{1});
    QCOMPARE(pagesHolding(words, u"Nombre"_s), std::vector<int>{1});
    QCOMPARE(pagesHolding(words, QString(60, u'-')), std::vector<int>{1});
}

} // namespace lexalon

QTEST_MAIN(lexalon::CupsPrintTest)
#include "cupsprint_test.moc"
