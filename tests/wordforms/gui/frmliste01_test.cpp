#include "output/wordlistfile.h"
#include "support/windowtesting.h"
#include "wordforms/analysis.h"
#include "wordforms/ui/frmliste01.h"
#include "wordforms/ui/wordlistview.h"
#include "wordforms/wordlist.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

const QString fable = u"Le chat, le CHAT et l'ane."_s;
const QString toFrequencies = u"Tri par fréquences décroissantes"_s;
const QString toAlphabetical = u"Tri alphabétique"_s;

// The rows as the view shows them, one "form count" a row.
QStringList shownRows(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.append(model.index(row, 0).data().toString() + u' ' + model.index(row, 1).data().toString());
    return rows;
}

} // namespace

class FrmListe01Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_scripted = std::make_unique<ScriptedServices>(); }
    void cleanup()
    {
        m_window.reset();
        m_scripted.reset();
    }

    void opensAlphabeticalOnTheLastCountWithTheStatistics();
    void buttonTogglesTheOrderUnderTheHourglass();
    void modelPassesTheTester();
    void onlyCountsCanBeMadeCurrentAndTypedLettersFindForms();
    void enterInTheListDoesNotPressTheButton();
    void savingAndPrintingTakeTheOrderShown();
    void aboutAndFermer();

private:
    void load(const QString &text)
    {
        m_window = std::make_unique<frmListe01>(text, m_scripted->services());
        m_window->Form_Load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    WordListView *view() const { return m_window->findChild<WordListView *>(u"grille01"_s); }
    QPushButton *button() const { return m_window->findChild<QPushButton *>(u"Command1"_s); }
    QString label(const QString &name) const { return m_window->findChild<QLabel *>(name)->text(); }
    QAction *action(const QString &name) const { return m_window->findChild<QAction *>(name); }
    QModelIndex countCell(const QString &form) const
    {
        const QAbstractItemModel &model = *view()->model();
        return model.match(model.index(0, 0), Qt::DisplayRole, form, 1, Qt::MatchExactly).value(0).siblingAtColumn(1);
    }

    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<frmListe01> m_window;
};

void FrmListe01Test::opensAlphabeticalOnTheLastCountWithTheStatistics()
{
    load(fable);
    QCOMPARE(shownRows(*view()->model()), (QStringList{u"ane 1"_s, u"chat 2"_s, u"et 1"_s, u"l 1"_s, u"le 2"_s}));
    QCOMPARE(label(u"Label6"_s), u"7"_s);
    QCOMPARE(label(u"Label7"_s), u"5"_s);
    QCOMPARE(m_window->focusWidget(), view());
    QCOMPARE(view()->currentIndex(), countCell(u"le"_s));

    // A long list opens at its top, its current cell far below.
    QString text;
    for (char16_t first = u'a'; first <= u'z'; ++first) {
        for (char16_t second = u'a'; second <= u'z'; ++second)
            text += QChar(first) + QString(QChar(second)) + u' ';
    }
    load(text);
    QCOMPARE(view()->currentIndex().row(), 26 * 26 - 1);
    QCOMPARE(view()->rowAt(0), 0);

    load(u"12, 34 ; × ÷ !"_s);
    QCOMPARE(view()->model()->rowCount(), 0);
    QCOMPARE(label(u"Label6"_s), u"0"_s);
    QCOMPARE(label(u"Label7"_s), u"0"_s);
}

void FrmListe01Test::buttonTogglesTheOrderUnderTheHourglass()
{
    load(u"a b b c c c d d d d e"_s);
    QCOMPARE(button()->text(), toFrequencies);
    QTest::mouseClick(button(), Qt::LeftButton);
    const std::vector<MousePointer> busyThenDefault{MousePointer::Hourglass, MousePointer::Default};
    QCOMPARE(m_scripted->pointerChangesOf(m_window.get()), busyThenDefault);
    QCOMPARE(button()->text(), toAlphabetical);
    QCOMPARE(shownRows(*view()->model()), (QStringList{u"d 4"_s, u"c 3"_s, u"b 2"_s, u"a 1"_s, u"e 1"_s}));
    // The highlight stays where it was.
    QCOMPARE(view()->currentIndex().row(), 4);
    QCOMPARE(view()->rowAt(0), 0);

    QTest::mouseClick(button(), Qt::LeftButton);
    QCOMPARE(button()->text(), toFrequencies);
    QCOMPARE(shownRows(*view()->model()), (QStringList{u"a 1"_s, u"b 2"_s, u"c 3"_s, u"d 4"_s, u"e 1"_s}));
}

void FrmListe01Test::modelPassesTheTester()
{
    m_window = std::make_unique<frmListe01>(fable, m_scripted->services());
    QAbstractItemModelTester tester(view()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->Form_Load();
    m_window->Command1_Click();
    m_window->Command1_Click();
    m_window->Form_Load();
    QCOMPARE(view()->model()->rowCount(), 5);
}

void FrmListe01Test::onlyCountsCanBeMadeCurrentAndTypedLettersFindForms()
{
    load(fable);
    const QModelIndex chat = countCell(u"chat"_s);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(chat).center());
    QCOMPARE(view()->currentIndex(), chat);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(chat.siblingAtColumn(0)).center());
    QTest::keyClick(view(), Qt::Key_Home);
    QCOMPARE(view()->currentIndex(), chat);

    QTest::keyClicks(view(), u"le"_s);
    QCOMPARE(view()->currentIndex(), countCell(u"le"_s));
    view()->keyboardSearch(QString());
    QTest::keyClicks(view(), u"C"_s);
    QCOMPARE(view()->currentIndex(), chat);
    view()->keyboardSearch(QString());
    QTest::keyClicks(view(), u"x"_s);
    QCOMPARE(view()->currentIndex(), chat);
}

void FrmListe01Test::enterInTheListDoesNotPressTheButton()
{
    load(fable);
    QTest::keyClick(view(), Qt::Key_Return);
    QCOMPARE(button()->text(), toFrequencies);
    QVERIFY(m_window->isVisible());
}

void FrmListe01Test::savingAndPrintingTakeTheOrderShown()
{
    load(u"un deux deux trois trois trois"_s);
    m_window->Command1_Click();
    WordList shown = analyseText(u"un deux deux trois trois trois"_s);
    shown.sort(WordList::Order::DecreasingFrequency);

    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(u"liste.txt"_s);
    m_scripted->dialogs.setNextFileName(path);
    view()->setCurrentIndex(countCell(u"trois"_s));
    action(u"enregistrer"_s)->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), wordListBytes(shown));
    // Reading the list leaves the last count current.
    QCOMPARE(view()->currentIndex(), countCell(u"un"_s));

    view()->setCurrentIndex(countCell(u"trois"_s));
    action(u"imprimer"_s)->trigger();
    QCOMPARE(m_scripted->printing.documents().size(), size_t(1));
    QStringList printed;
    for (const auto &page : m_scripted->printing.documents().front()) {
        for (const auto &line : page) {
            for (const auto &piece : line)
                printed.append(piece.text);
        }
    }
    QCOMPARE(printed.mid(printed.indexOf(u"trois"_s), 6),
             (QStringList{u"trois"_s, u"3"_s, u"deux"_s, u"2"_s, u"un"_s, u"1"_s}));
    QCOMPARE(view()->currentIndex(), countCell(u"un"_s));
}

void FrmListe01Test::aboutAndFermer()
{
    load(fable);
    action(u"about"_s)->trigger();
    QCOMPARE(m_scripted->aboutOwners.size(), size_t(1));
    QCOMPARE(m_scripted->aboutOwners.front().data(), m_window.get());
    action(u"fermer"_s)->trigger();
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(FrmListe01Test)
#include "frmliste01_test.moc"
