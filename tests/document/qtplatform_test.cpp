#include "platform/namefilters.h"
#include "platform/qt/qtfiledialogs.h"
#include "platform/qttranslations.h"
#include "platform/qt/widgetbusypointer.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "support/testfiles.h"
#include "support/windowtesting.h"

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

const QString textFilter = u"Fichiers Texte (*.TXT)|*.TXT"_s;

// The patterns of a "Description (patterns)" name filter.
QStringList patternsOf(const QString &nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf(u'(');
    return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(u' ');
}

bool matchesExactly(const QString &pattern, const QString &fileName)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
        .match(fileName)
        .hasMatch();
}

struct FileDialogSeen
{
    bool shown = false;
    QString filterShown;
    QString acceptText;
    bool confirmsOverwrite = true;
};

} // namespace

class QtPlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void textFilterMatchesTxtInAnyCase_data();
    void textFilterMatchesTxtInAnyCase();
    void frenchTranslationsNameTheStandardButtons();
    void busyPointerIsTheWaitCursor();
    void openDialogReturnsTheChosenPath();
    void cancelledDialogReturnsNothing();
    void saveDialogLeavesTheOverwriteQuestionToTheCommand();
    void printerSetupShowsTheProgramsPrinter();

private:
    bool m_translated = false;
};

void QtPlatformTest::initTestCase()
{
    m_translated = installQtFrenchTranslations(*QCoreApplication::instance());
}

void QtPlatformTest::textFilterMatchesTxtInAnyCase_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("offered");
    QTest::newRow("upper case") << u"CONTE.TXT"_s << true;
    QTest::newRow("mixed case") << u"Conte.Txt"_s << true;
    QTest::newRow("accented name") << u"été.txt"_s << true;
    QTest::newRow("another extension") << u"conte.doc"_s << false;
    QTest::newRow("txt inside the name") << u"conte.txt.bak"_s << false;
}

void QtPlatformTest::textFilterMatchesTxtInAnyCase()
{
    QFETCH(QString, fileName);
    QFETCH(bool, offered);
    const QStringList filters = platformNameFilters(qtNameFilters(textFilter));
    QCOMPARE(filters.size(), 1);
    bool matched = false;
    for (const QString &pattern : patternsOf(filters.front()))
        matched = matched || matchesExactly(pattern, fileName);
    QCOMPARE(matched, offered);
}

void QtPlatformTest::frenchTranslationsNameTheStandardButtons()
{
    QVERIFY(m_translated);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Oui"_s);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), u"&Non"_s);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Annuler"_s);
    QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), u"&Ouvrir"_s);
}

void QtPlatformTest::busyPointerIsTheWaitCursor()
{
    QWidget window;
    WidgetBusyPointer pointer(window);
    pointer.setMousePointer(MousePointer::Hourglass);
    QCOMPARE(pointer.mousePointer(), MousePointer::Hourglass);
    QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
    pointer.setMousePointer(MousePointer::Default);
    QCOMPARE(pointer.mousePointer(), MousePointer::Default);
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
}

void QtPlatformTest::openDialogReturnsTheChosenPath()
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(u"conte.txt"_s);
    QVERIFY(lexalon::testing::writeBytes(path, QByteArray()));

    QPrinter printer;
    QtFileDialogs dialogs(printer);
    FileDialogSeen seen;
    inspectNextModal<QFileDialog>([&seen, &path](QFileDialog &dialog) {
        seen.shown = true;
        seen.filterShown = dialog.findChild<QComboBox *>(u"fileTypeCombo"_s)->currentText();
        seen.acceptText = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open)->text();
        dialog.selectFile(path);
        static_cast<QDialog &>(dialog).accept();
    });
    const QString chosen = dialogs.openFileName(textFilter);

    QVERIFY(seen.shown);
    QCOMPARE(seen.filterShown, u"Fichiers Texte (*.TXT)"_s);
    QCOMPARE(seen.acceptText, u"&Ouvrir"_s);
    QCOMPARE(chosen, QDir::toNativeSeparators(path));
}

void QtPlatformTest::cancelledDialogReturnsNothing()
{
    QPrinter printer;
    QtFileDialogs dialogs(printer);
    bool shown = false;
    inspectNextModal<QFileDialog>([&shown](QFileDialog &) { shown = true; });
    QVERIFY(dialogs.openFileName(textFilter).isEmpty());
    QVERIFY(shown);
}

void QtPlatformTest::saveDialogLeavesTheOverwriteQuestionToTheCommand()
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(u"liste.txt"_s);
    QVERIFY(lexalon::testing::writeBytes(path, QByteArray()));

    QPrinter printer;
    QtFileDialogs dialogs(printer);
    FileDialogSeen seen;
    inspectNextModal<QFileDialog>([&seen, &path](QFileDialog &dialog) {
        seen.shown = true;
        seen.confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(path);
        static_cast<QDialog &>(dialog).accept();
    });
    const QString chosen = dialogs.saveFileName(textFilter);
    QVERIFY(seen.shown);
    QVERIFY(!seen.confirmsOverwrite);
    QCOMPARE(chosen, QDir::toNativeSeparators(path));
}

void QtPlatformTest::printerSetupShowsTheProgramsPrinter()
{
    QPrinter printer;
    QtFileDialogs dialogs(printer);
    QPrinter *shownPrinter = nullptr;
    inspectNextModal<QPrintDialog>(
        [&shownPrinter](QPrintDialog &dialog) { shownPrinter = dialog.printer(); });
    QVERIFY2(!dialogs.printerSetup(), "a dialog closed without printing is a cancel");
    QCOMPARE(shownPrinter, &printer);
}

QTEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
