#include "output/wordlistfile.h"
#include "support/windowtesting.h"
#include "wordforms/ui/frmliste01.h"
#include "wordforms/wordgrid.h"
#include "wordforms/ui/wordgridmodel.h"
#include "wordforms/ui/wordlistview.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

const QString fable = u"Le chat, le CHAT et l'ane."_s;
const QString toFrequencies = u"Tri par fréquences décroissantes"_s;
const QString toAlphabetical = u"Tri alphabétique"_s;

using Rows = std::vector<std::pair<QString, QString>>;

const Rows alphabetical{{u"ane"_s, u"1"_s}, {u"chat"_s, u"2"_s}, {u"et"_s, u"1"_s},
                        {u"l"_s, u"1"_s},   {u"le"_s, u"2"_s}};

// The rows as the view shows them.
Rows shownRows(const QAbstractItemModel &model)
{
    Rows rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.emplace_back(model.index(row, 0).data().toString(), model.index(row, 1).data().toString());
    return rows;
}

} // namespace

class FrmListe01Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensAlphabeticalWithTheStatistics();
    void longListOpensAtItsTop();
    void buttonTogglesTheOrderBothWays();
    void emptyTextShowsTheHeadingAndTwoZeros();
    void modelPassesTheTester();
    void fixedColumnCannotBeMadeCurrent();
    void selectionIsTheGridsSelection();
    void typedLettersJumpToTheFirstMatchingForm();
    void enterInTheListDoesNotPressTheButton();
    void enregistrerSavesTheListInTheOrderShown();
    void imprimerPrintsTheListInTheOrderShown();
    void aboutAndFermer();

private:
    void load(const QString &text);
    QModelIndex countCell(const QString &form) const;

    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<frmListe01> m_window;
};

void FrmListe01Test::init()
{
    m_scripted = std::make_unique<ScriptedServices>();
}

void FrmListe01Test::cleanup()
{
    m_window.reset();
    m_scripted.reset();
}

void FrmListe01Test::load(const QString &text)
{
    m_window = std::make_unique<frmListe01>(text, m_scripted->services());
    m_window->Form_Load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QModelIndex FrmListe01Test::countCell(const QString &form) const
{
    const QAbstractItemModel &model = *m_window->model();
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, 0).data().toString() == form)
            return model.index(row, 1);
    }
    return QModelIndex();
}

void FrmListe01Test::opensAlphabeticalWithTheStatistics()
{
    load(fable);
    QCOMPARE(shownRows(*m_window->model()), alphabetical);
    QCOMPARE(m_window->Label6()->text(), u"7"_s);
    QCOMPARE(m_window->Label7()->text(), u"5"_s);
    QCOMPARE(m_window->focusWidget(), m_window->grille01());
}

void FrmListe01Test::longListOpensAtItsTop()
{
    QString text;
    for (char16_t first = u'a'; first <= u'z'; ++first) {
        for (char16_t second = u'a'; second <= u'z'; ++second) {
            text += QChar(first);
            text += QChar(second);
            text += u' ';
        }
    }
    load(text);
    const WordListView *view = m_window->grille01();
    QCOMPARE(m_window->model()->rowCount(), 26 * 26);
    QCOMPARE(view->rowAt(0), 0);
    QCOMPARE(m_window->grid().Row(), 26 * 26);
    QCOMPARE(view->currentIndex().row(), 26 * 26 - 1);

    m_window->Command1_Click();
    QCOMPARE(view->rowAt(0), 0);
}

void FrmListe01Test::buttonTogglesTheOrderBothWays()
{
    load(u"a b b c c c d d d d e"_s);
    QTest::mouseClick(m_window->Command1(), Qt::LeftButton);
    const std::vector<MousePointer> busyThenDefault{MousePointer::Hourglass, MousePointer::Default};
    QCOMPARE(m_scripted->pointerChangesOf(m_window.get()), busyThenDefault);
    QCOMPARE(m_window->Command1()->text(), toAlphabetical);
    const Rows byFrequency{{u"d"_s, u"4"_s}, {u"c"_s, u"3"_s}, {u"b"_s, u"2"_s}, {u"a"_s, u"1"_s}, {u"e"_s, u"1"_s}};
    QCOMPARE(shownRows(*m_window->model()), byFrequency);

    QTest::mouseClick(m_window->Command1(), Qt::LeftButton);
    QCOMPARE(m_window->Command1()->text(), toFrequencies);
    const Rows expected{{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}, {u"d"_s, u"4"_s}, {u"e"_s, u"1"_s}};
    QCOMPARE(shownRows(*m_window->model()), expected);
}

void FrmListe01Test::emptyTextShowsTheHeadingAndTwoZeros()
{
    for (const QString &text : {QString(), u"12, 34 ; × ÷ !"_s}) {
        load(text);
        QCOMPARE(m_window->model()->rowCount(), 0);
        QCOMPARE(m_window->Label6()->text(), u"0"_s);
        QCOMPARE(m_window->Label7()->text(), u"0"_s);
        QTest::mouseClick(m_window->Command1(), Qt::LeftButton);
        QCOMPARE(m_window->Command1()->text(), toAlphabetical);
        QCOMPARE(m_window->model()->rowCount(), 0);
    }
}

void FrmListe01Test::modelPassesTheTester()
{
    m_window = std::make_unique<frmListe01>(fable, m_scripted->services());
    QAbstractItemModelTester tester(m_window->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->Form_Load();
    m_window->Command1_Click();
    m_window->Command1_Click();
    m_window->Form_Load();
    QCOMPARE(m_window->model()->rowCount(), 5);
}

void FrmListe01Test::fixedColumnCannotBeMadeCurrent()
{
    load(fable);
    WordListView *view = m_window->grille01();
    const QModelIndex chat = countCell(u"chat"_s);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(chat).center());
    QCOMPARE(view->currentIndex(), chat);

    const QModelIndex form = chat.siblingAtColumn(0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(form).center());
    QCOMPARE(view->currentIndex(), chat);
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(view->currentIndex().column(), 1);
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(view->currentIndex().column(), 1);
    QCOMPARE(m_window->grid().Col(), 1);
    QCOMPARE(m_window->grid().Row(), view->currentIndex().row() + 1);
}

void FrmListe01Test::selectionIsTheGridsSelection()
{
    load(fable);
    WordListView *view = m_window->grille01();
    const QModelIndex chat = countCell(u"chat"_s);
    const QModelIndex l = countCell(u"l"_s);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(chat).center());
    QCOMPARE(m_window->grid().Row(), chat.row() + 1);
    QCOMPARE(m_window->grid().RowSel(), chat.row() + 1);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, view->visualRect(l).center());
    const WordGrid &grid = m_window->grid();
    QCOMPARE(std::min(grid.Row(), grid.RowSel()), chat.row() + 1);
    QCOMPARE(std::max(grid.Row(), grid.RowSel()), l.row() + 1);
    QCOMPARE(grid.Col(), 1);
    QCOMPARE(grid.ColSel(), 1);

    // After a sort the highlight stays where it was, as the grid's does.
    m_window->Command1_Click();
    QCOMPARE(view->currentIndex().row(), grid.Row() - 1);
    QCOMPARE(view->currentIndex().column(), grid.Col());
}

void FrmListe01Test::typedLettersJumpToTheFirstMatchingForm()
{
    load(fable);
    WordListView *view = m_window->grille01();
    QTest::keyClicks(view, u"le"_s);
    QCOMPARE(view->currentIndex(), countCell(u"le"_s));
    QCOMPARE(m_window->grid().Row(), countCell(u"le"_s).row() + 1);

    view->keyboardSearch(QString());
    QTest::keyClicks(view, u"C"_s);
    QCOMPARE(view->currentIndex(), countCell(u"chat"_s));

    view->keyboardSearch(QString());
    QTest::keyClicks(view, u"x"_s);
    QCOMPARE(view->currentIndex(), countCell(u"chat"_s));
}

void FrmListe01Test::enterInTheListDoesNotPressTheButton()
{
    load(fable);
    QTest::keyClick(m_window->grille01(), Qt::Key_Return);
    QCOMPARE(m_window->Command1()->text(), toFrequencies);
    QVERIFY(m_window->isVisible());
}

void FrmListe01Test::enregistrerSavesTheListInTheOrderShown()
{
    load(fable);
    m_window->Command1_Click();
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(u"liste.txt"_s);
    m_scripted->dialogs.setNextFileName(path);
    m_window->enregistrer()->trigger();

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), wordListBytes(m_window->grid()));

    // The list shows where saving left the grid's current cell.
    const WordListView *view = m_window->grille01();
    QCOMPARE(view->currentIndex().row(), m_window->grid().Row() - 1);
    QCOMPARE(view->currentIndex().column(), m_window->grid().Col());
    QCOMPARE(m_window->Command1()->text(), toAlphabetical);
}

void FrmListe01Test::imprimerPrintsTheListInTheOrderShown()
{
    load(u"un deux deux trois trois trois"_s);
    m_window->Command1_Click();
    m_window->imprimer()->trigger();

    QCOMPARE(m_scripted->printing.documents().size(), size_t(1));
    QStringList printed;
    for (const auto &page : m_scripted->printing.documents().front()) {
        for (const auto &line : page) {
            for (const auto &piece : line)
                printed.append(piece.text);
        }
    }
    const qsizetype trois = printed.indexOf(u"trois"_s);
    const qsizetype deux = printed.indexOf(u"deux"_s);
    const qsizetype un = printed.indexOf(u"un"_s);
    QVERIFY(trois >= 0 && trois < deux && deux < un);
}

void FrmListe01Test::aboutAndFermer()
{
    load(fable);
    m_window->about()->trigger();
    QCOMPARE(m_scripted->aboutOwners.size(), size_t(1));
    QCOMPARE(m_scripted->aboutOwners.front().data(), m_window.get());
    m_window->fermer()->trigger();
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(FrmListe01Test)
#include "frmliste01_test.moc"
