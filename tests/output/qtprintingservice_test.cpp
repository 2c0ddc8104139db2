#include "platform/qt/qtprintingservice.h"

#include "output/printcommand.h"
#include "tests/support/scripteddialogs.h"
#include "tests/output/pdfwords.h"
#include "tests/output/wordlists.h"
#include "tests/support/restrictedstorage.h"
#include "wordforms/wordgrid.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <vector>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

using testing::PageRows;
using testing::Word;
using testing::range;
using testing::rowsByPage;
using testing::wordsOf;

// The machine's own printers stay out of these tests: CUPS is asked at an
// address where no server can be, before the first printer is made.
const bool noCupsServer = qputenv("CUPS_SERVER", "/nonexistent/lexalon-test-cups.sock");

constexpr qreal marginPoints = 10;
constexpr qreal pointsPerTwip = 1.0 / 20;
constexpr qreal countColumnPoints = marginPoints + printlayout::countX * pointsPerTwip;
constexpr qreal placementTolerance = 1; // points
constexpr qint64 scratchDiskBytes = 64 * 1024;
constexpr qint64 onePage = 4096;

int pageCount(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression pageObject(uR"(/Type\s*/Page(?!s))"_s);
    const QString text = QString::fromLatin1(file.readAll());
    int pages = 0;
    for (auto it = pageObject.globalMatch(text); it.hasNext(); it.next())
        ++pages;
    return pages;
}

} // namespace

class QtPrintingServiceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void pages_data();
    void pages();
    void layout();
    void smallPaperKeepsEveryRow();
    void printerIsUsedAgain();
    void unwritableFileIsReported_data();
    void unwritableFileIsReported();
    void noPrinterIsReported();

private:
    void print(WordGrid &grid);
    QString pdfPath(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QPrinter m_printer{QPrinter::HighResolution};
    ScriptedFileDialogs m_dialogs;
    ScriptedMessageBox m_messages;
    RecordingBusyPointer m_pointer;
};

void QtPrintingServiceTest::init()
{
    QVERIFY(m_dir.isValid());
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(marginPoints, marginPoints, marginPoints,
                                                  marginPoints)));
    m_messages.clearRequests();
    QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty(),
             "pdftotext (poppler-utils) is needed to read the printed pages back");
}

void QtPrintingServiceTest::print(WordGrid &grid)
{
    QtPrintingService service(m_printer);
    printWordList(grid, m_dialogs, service, m_messages, m_pointer);
}

void QtPrintingServiceTest::pages_data()
{
    QTest::addColumn<int>("formRows");
    QTest::addColumn<PageRows>("rowsOnPages");
    QTest::newRow("heading only: one page") << 0 << PageRows{};
    QTest::newRow("68 rows: the last alone on page 2") << 68 << PageRows{range(1, 67), {68}};
}

void QtPrintingServiceTest::pages()
{
    QFETCH(int, formRows);
    QFETCH(PageRows, rowsOnPages);
    const QString pdf = pdfPath(u"pages%1.pdf"_s.arg(formRows));
    m_printer.setOutputFileName(pdf);
    WordGrid grid = testing::numberedWordList(formRows);

    print(grid);

    QVERIFY(m_messages.requests().empty());
    const int expectedPages = std::max<int>(1, int(rowsOnPages.size()));
    QCOMPARE(pageCount(pdf), expectedPages);
    const std::vector<Word> words = wordsOf(pdf);
    QVERIFY(rowsByPage(words) == rowsOnPages);
    for (const Word &word : words) {
        if (word.text == u"Formes"_s || word.text == QString(60, u'-'))
            QCOMPARE(word.page, 1);
    }
}

// The heading at the top-left of the printable area, the counts 5000 twips
// to the right of its left edge, the heading taller than the rows.
void QtPrintingServiceTest::layout()
{
    const QString pdf = pdfPath(u"layout.pdf"_s);
    m_printer.setOutputFileName(pdf);
    WordGrid grid = testing::wordList({{u"été"_s, u"2"_s}, {u"hiver"_s, u"17"_s}});

    print(grid);

    const std::vector<Word> words = wordsOf(pdf);
    QCOMPARE(words.size(), size_t(8));
    const auto at = [&words](const QString &text) {
        for (const Word &word : words) {
            if (word.text == text)
                return word;
        }
        return Word{0, QString(), -1, -1, -1};
    };
    QVERIFY(qAbs(at(u"Formes"_s).xMin - marginPoints) < placementTolerance);
    QVERIFY(at(u"Formes"_s).yMin >= marginPoints);
    QVERIFY(at(u"Formes"_s).yMin < marginPoints + 2 * placementTolerance);
    QVERIFY(qAbs(at(u"Nombre"_s).xMin - countColumnPoints) < placementTolerance);
    QVERIFY(qAbs(at(QString(60, u'-')).xMin - marginPoints) < placementTolerance);
    QVERIFY(qAbs(at(u"2"_s).xMin - countColumnPoints) < placementTolerance);
    QVERIFY(qAbs(at(u"17"_s).xMin - countColumnPoints) < placementTolerance);
    QVERIFY(qAbs(at(u"été"_s).xMin - marginPoints) < placementTolerance);

    const qreal headingHeight = at(u"Formes"_s).yMax - at(u"Formes"_s).yMin;
    const qreal rowHeight = at(u"hiver"_s).yMax - at(u"hiver"_s).yMin;
    QVERIFY(qAbs(headingHeight / rowHeight - 12.0 / 9.0) < 0.05);
    QVERIFY(at(u"Formes"_s).yMax <= at(QString(60, u'-')).yMin + placementTolerance);
    QVERIFY(at(u"été"_s).yMax <= at(u"hiver"_s).yMin + placementTolerance);
}

void QtPrintingServiceTest::smallPaperKeepsEveryRow()
{
    const QString pdf = pdfPath(u"a7.pdf"_s);
    m_printer.setOutputFileName(pdf);
    const QPageLayout a7(QPageSize(QPageSize::A7), QPageLayout::Portrait,
                         QMarginsF(marginPoints, marginPoints, marginPoints, marginPoints));
    m_printer.setPageLayout(a7);
    WordGrid grid = testing::numberedWordList(136);

    print(grid);

    QVERIFY(m_messages.requests().empty());
    const std::vector<Word> words = wordsOf(pdf);
    const PageRows pages = rowsByPage(words);
    QVERIFY2(pages.size() > 3, "the A7 page holds fewer rows than the counter gives it");
    std::vector<int> printed;
    for (const std::vector<int> &page : pages)
        printed.insert(printed.end(), page.begin(), page.end());
    QVERIFY(printed == range(1, 136));
    QCOMPARE(pageCount(pdf), int(pages.size()));
    const qreal bottom = a7.fullRect(QPageLayout::Point).height() - marginPoints;
    for (const Word &word : words)
        QVERIFY2(word.yMax <= bottom + placementTolerance, qPrintable(word.text));
}

void QtPrintingServiceTest::printerIsUsedAgain()
{
    WordGrid grid = testing::numberedWordList(68);
    QtPrintingService service(m_printer);
    m_printer.setOutputFileName(pdfPath(u"premier.pdf"_s));
    printWordList(grid, m_dialogs, service, m_messages, m_pointer);
    m_printer.setOutputFileName(pdfPath(u"second.pdf"_s));
    printWordList(grid, m_dialogs, service, m_messages, m_pointer);

    QVERIFY(m_messages.requests().empty());
    QCOMPARE(pageCount(pdfPath(u"premier.pdf"_s)), 2);
    QCOMPARE(pageCount(pdfPath(u"second.pdf"_s)), 2);
}

namespace {

// What stands in the way of the PDF file.
enum class Obstacle { MissingFolder, ReadOnlyFolder, ReadOnlyFile, FullDisk };

} // namespace

void QtPrintingServiceTest::unwritableFileIsReported_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::newRow("robustness: folder does not exist") << Obstacle::MissingFolder;
    QTest::newRow("robustness: folder is read-only") << Obstacle::ReadOnlyFolder;
    QTest::newRow("robustness: file is read-only") << Obstacle::ReadOnlyFile;
    QTest::newRow("robustness: disk is full") << Obstacle::FullDisk;
}

// Permissions do not stop root: for root the folder is a file system mounted
// read-only, the file immutable. A full disk is a file system of one page,
// which the old file fills, mounted for the test.
void QtPrintingServiceTest::unwritableFileIsReported()
{
    QFETCH(Obstacle, obstacle);
    const bool root = geteuid() == 0;
    const QString folder = pdfPath(u"dossier%1"_s.arg(int(obstacle)));
    const QString pdf = folder + u"/liste.pdf"_s;
    const QByteArray before("%PDF-1.4 une liste plus ancienne");
    std::optional<testing::ScratchDisk> disk;
    std::optional<testing::ImmutableFile> immutable;
    if (obstacle != Obstacle::MissingFolder) {
        QVERIFY(QDir().mkdir(folder));
        if (obstacle == Obstacle::FullDisk) {
            disk.emplace(folder, onePage);
            if (!disk->mounted())
                QSKIP(qPrintable(u"a full disk is a file system mounted by the test, and "_s + disk->failure()));
        } else if (root && obstacle == Obstacle::ReadOnlyFolder) {
            disk.emplace(folder, scratchDiskBytes);
            if (!disk->mounted())
                QSKIP(qPrintable(u"permissions do not stop root, and "_s + disk->failure()));
        }
        QFile existing(pdf);
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write(before) == before.size());
    }
    auto restore = qScopeGuard([&folder, &pdf] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(pdf, QFile::ReadOwner | QFile::WriteOwner);
    });
    if (obstacle == Obstacle::ReadOnlyFolder) {
        if (root)
            QVERIFY(disk->makeReadOnly());
        else
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else if (obstacle == Obstacle::ReadOnlyFile) {
        if (root) {
            immutable.emplace(pdf);
            if (!immutable->isSet())
                QSKIP(qPrintable(u"permissions do not stop root, and "_s + immutable->failure()));
        } else {
            QVERIFY(QFile::setPermissions(pdf, QFile::ReadOwner));
        }
    }
    m_printer.setOutputFileName(pdf);
    WordGrid grid = testing::numberedWordList(3);
    const std::size_t pointerChanges = m_pointer.history().size();

    print(grid);

    QCOMPARE(m_messages.requests().size(), size_t(1));
    const MessageRequest &failure = m_messages.requests()[0];
    QVERIFY(failure.prompt.startsWith(u"La liste n'a pas pu être imprimée.\r\n"_s));
    QVERIFY2(failure.prompt.contains(pdf), qPrintable(failure.prompt));
    QCOMPARE(failure.icon, MessageIcon::Critical);
    QCOMPARE(m_pointer.history().size(), pointerChanges + 2);
    QCOMPARE(m_pointer.mousePointer(), MousePointer::Default);
    if (obstacle == Obstacle::MissingFolder) {
        QVERIFY(!QFileInfo::exists(pdf));
    } else {
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"liste.pdf"_s});
    }
}

void QtPrintingServiceTest::noPrinterIsReported()
{
    m_printer.setOutputFileName(QString());
    WordGrid grid = testing::numberedWordList(3);

    print(grid);

    QCOMPARE(m_messages.requests().size(), size_t(1));
    QCOMPARE(m_messages.requests()[0].prompt,
             u"La liste n'a pas pu être imprimée.\r\nAucune imprimante n'est disponible."_s);
    QCOMPARE(m_pointer.mousePointer(), MousePointer::Default);
}

} // namespace lexalon

QTEST_MAIN(lexalon::QtPrintingServiceTest)
#include "qtprintingservice_test.moc"
