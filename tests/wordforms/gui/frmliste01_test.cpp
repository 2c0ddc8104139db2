#include "output/wordlistfile.h"
#include "support/windowtesting.h"
#include "tests/support/testfiles.h"
#include "wordforms/ui/concordancewindow.h"
#include "wordforms/ui/frmliste01.h"
#include "wordforms/ui/statisticswindow.h"
#include "wordforms/ui/wordlistmodel.h"
#include "wordforms/ui/wordlistview.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// Wiring only: what the core does with the list is tested there. A model tester watches every change of the list.
class FrmListe01Test : public QObject
{
    Q_OBJECT

    void load(const QString &text)
    {
        m_window = std::make_unique<frmListe01>(text, m_scripted->services());
        new QAbstractItemModelTester(model(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_window.get());
        m_window->Form_Load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    WordListView *view() const { return m_window->findChild<WordListView *>(u"grille01"_s); }
    WordListModel *model() const { return qobject_cast<WordListModel *>(view()->model()); }
    QPushButton *button() const { return m_window->findChild<QPushButton *>(u"Command1"_s); }
    QAction *action(const QString &name) const { return m_window->findChild<QAction *>(name); }
    QModelIndex countCell(const QString &form) const
    {
        return model()->match(model()->index(0, 0), Qt::DisplayRole, form, 1, Qt::MatchExactly).value(0).siblingAtColumn(1);
    }
    // The rows as the view shows them, one "form count" a row.
    QStringList shownRows() const
    {
        QStringList rows;
        for (int row = 0; row < model()->rowCount(); ++row)
            rows.append(model()->index(row, 0).data().toString() + u' ' + model()->index(row, 1).data().toString());
        return rows;
    }

    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<frmListe01> m_window;
    const QString toFrequencies = u"Tri par fréquences décroissantes"_s;

private Q_SLOTS:
    void init()
    {
        m_window.reset();
        m_scripted = std::make_unique<ScriptedServices>();
    }

    // Only counts can be made current; typed letters find forms.
    void opensAlphabeticalOnTheLastCountWithTheStatistics()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        QCOMPARE(shownRows(), (QStringList{u"ane 1"_s, u"chat 2"_s, u"et 1"_s, u"l 1"_s, u"le 2"_s}));
        QCOMPARE(m_window->findChild<QLabel *>(u"Label6"_s)->text(), u"7"_s);
        QCOMPARE(m_window->findChild<QLabel *>(u"Label7"_s)->text(), u"5"_s);
        QCOMPARE(m_window->focusWidget(), view());
        QCOMPARE(view()->currentIndex(), countCell(u"le"_s));
        const QModelIndex chat = countCell(u"chat"_s);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(chat.siblingAtColumn(0)).center());
        QCOMPARE(view()->currentIndex(), countCell(u"le"_s));
        QTest::keyClicks(view(), u"CH"_s);
        QCOMPARE(view()->currentIndex(), chat);
        // A long list opens at its top, its current cell far below.
        QString text;
        for (int n = 0; n < 26 * 26; ++n)
            text += QString(QChar(u'a' + n / 26)) + QChar(u'a' + n % 26) + u' ';
        load(text);
        QCOMPARE(view()->currentIndex().row(), 26 * 26 - 1);
        QCOMPARE(view()->rowAt(0), 0);
    }

    // The highlight stays on its row; the button names the order the list is
    // not in. Saving takes the order
    // shown; saving and printing make the last count current.
    void buttonAndMenuCommands()
    {
        load(u"a b b c c c d d d d e"_s);
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(m_scripted->pointerChangesOf(m_window.get()), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
        QCOMPARE(button()->text(), u"Tri alphabétique"_s);
        QCOMPARE(shownRows(), (QStringList{u"d 4"_s, u"c 3"_s, u"b 2"_s, u"a 1"_s, u"e 1"_s}));
        QCOMPARE(view()->currentIndex().row(), 4);
        const QTemporaryDir folder;
        m_scripted->dialogs.setNextFileName(folder.filePath(u"liste.txt"_s));
        view()->setCurrentIndex(countCell(u"b"_s));
        action(u"enregistrer"_s)->trigger();
        QCOMPARE(contentOf(folder.filePath(u"liste.txt"_s)), wordListBytes(model()->list()));
        QCOMPARE(view()->currentIndex(), countCell(u"e"_s));
        view()->setCurrentIndex(countCell(u"b"_s));
        action(u"imprimer"_s)->trigger();
        QCOMPARE(m_scripted->printing.documents().size(), size_t(1));
        QCOMPARE(view()->currentIndex(), countCell(u"e"_s));
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(button()->text(), toFrequencies);
    }

    // Entrée, a double-click on a form and the Outils menu open the
    // concordance of the form chosen, and Entrée does not press the button;
    // with no form the command is disabled. Outils also opens the statistics.
    void choosingAFormOpensItsConcordance()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        QStringList captions;
        const auto nextCaption = [&] {
            inspectNextModal<ConcordanceWindow>([&](ConcordanceWindow &window) { captions.append(window.windowTitle()); });
        };
        nextCaption();
        view()->setCurrentIndex(countCell(u"chat"_s));
        QTest::keyClick(view(), Qt::Key_Return);
        nextCaption();
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(countCell(u"et"_s).siblingAtColumn(0)).center());
        nextCaption();
        view()->setCurrentIndex(countCell(u"le"_s));
        action(u"concordance"_s)->trigger();
        QCOMPARE(captions, (QStringList{u"Concordance de « chat »"_s, u"Concordance de « et »"_s, u"Concordance de « le »"_s}));
        QCOMPARE(button()->text(), toFrequencies);
        // The statistics of the same list.
        QString total;
        inspectNextModal<StatisticsWindow>([&](StatisticsWindow &window) {
            total = window.findChild<QTableView *>(u"mesures"_s)->model()->index(0, 1).data().toString();
        });
        action(u"statistiques"_s)->trigger();
        QCOMPARE(total, u"7"_s);
        load(u"1, 2, 3"_s);
        QVERIFY(!action(u"concordance"_s)->isEnabled());
    }
};

QTEST_MAIN(FrmListe01Test)
#include "frmliste01_test.moc"
