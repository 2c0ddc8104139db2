// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/corpusopening.h"
#include "gui/corpus/corpuswindow.h"
#include "gui/textpane/textpane.h"
#include "support/windowtesting.h"
#include "wordforms/corpus.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// Wiring only: matching, sorts, concordances and files are tested in the core.
class CorpusWindowTest : public QObject
{
    Q_OBJECT

    template<typename Child>
    Child *child(const QString &name) const { return m_window->findChild<Child *>(name); }
    QTableView *list() const { return child<QTableView>(u"liste"_s); }
    QTableView *concordance() const { return child<QTableView>(u"concordance"_s); }
    QString currentForm() const { return list()->currentIndex().siblingAtColumn(0).data().toString(); }
    void chooseForm(const QString &form)
    {
        child<QLineEdit>(u"rechercher"_s)->setText(form);
        QCOMPARE(currentForm(), form);
    }
    QByteArray saved(const QString &command)
    {
        const QString path = m_folder.filePath(command + u".txt"_s);
        m_scripted.dialogs.setNextFileName(path);
        m_window->findChild<QAction *>(command)->trigger();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;
    ScriptedServices m_scripted;
    QPointer<CorpusWindow> m_window;

private Q_SLOTS:
    void init()
    {
        const std::pair<QString, QByteArray> texts[] = {
            {u"a.txt"_s, "Le chat dort. Le chien aussi."},
            {u"b.txt"_s, "Un chat, deux chats : le chat \xE9t\xE9."},
        };
        QStringList paths;
        for (const auto &[name, bytes] : texts) {
            QFile file(m_folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            paths.append(file.fileName());
        }
        CorpusOpened opened = openCorpus(paths, nullptr);
        QVERIFY(opened.corpus);
        m_window = new CorpusWindow(std::move(opened.corpus), m_scripted.services());
        new QAbstractItemModelTester(list()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_window);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup() { delete m_window; }

    // The search filters as it is typed and says how many forms it shows; a
    // bad expression is shown beside the field, never in a message box.
    void searchFiltersAndCounts()
    {
        QCOMPARE(m_window->windowTitle(), u"Corpus – 2 textes"_s);
        QTest::keyClicks(child<QLineEdit>(u"rechercher"_s), u"CH"_s);
        QCOMPARE(child<QLabel>(u"formesAffichees"_s)->text(), u"3 formes affichées sur 9"_s);
        child<QCheckBox>(u"expressionReguliere"_s)->setChecked(true);
        child<QLineEdit>(u"rechercher"_s)->setText(u"(("_s);
        QVERIFY(child<QLabel>(u"erreurRecherche"_s)->isVisible());
        QCOMPARE(m_scripted.messages.requests().size(), size_t(0));
    }

    // A click on a heading sorts by it; the current form stays current.
    void headingSortKeepsTheCurrentForm()
    {
        chooseForm(u"dort"_s);
        child<QLineEdit>(u"rechercher"_s)->clear();
        QCOMPARE(currentForm(), u"dort"_s);
        list()->horizontalHeader()->sectionClicked(1);
        QCOMPARE(list()->model()->index(0, 0).data().toString(), u"chat"_s);
        QCOMPARE(currentForm(), u"dort"_s);
    }

    // The concordance follows the current form across the texts, and Entrée
    // on a line shows it in its text, where F3 goes on to the next.
    void concordanceAndTextFollowTheList()
    {
        chooseForm(u"chat"_s);
        QTRY_COMPARE(concordance()->model() ? concordance()->model()->rowCount() : 0, 3);
        QCOMPARE(concordance()->model()->columnCount(), 3);
        QCOMPARE(concordance()->model()->index(2, 1).data().toString(), u"b.txt"_s);
        concordance()->setFocus();
        concordance()->setCurrentIndex(concordance()->model()->index(1, 2));
        QTest::keyClick(concordance(), Qt::Key_Return);
        QCOMPARE(child<QTabWidget>(u"onglets"_s)->currentIndex(), 1);
        auto *pane = m_window->findChild<TextPane *>();
        QCOMPARE(pane->selection().range().begin, 3);
        QTest::keyClick(m_window, Qt::Key_F3);
        QCOMPARE(pane->selection().range().begin, 25);
        QCOMPARE(concordance()->currentIndex().row(), 2);
    }

    // "Épingler" keeps the concordance in a tab of its own.
    void pinnedConcordanceStays()
    {
        chooseForm(u"chat"_s);
        QTRY_VERIFY(concordance()->model() && concordance()->model()->rowCount() == 3);
        m_window->pinConcordance();
        auto *tabs = child<QTabWidget>(u"onglets"_s);
        QCOMPARE(tabs->count(), 5);
        chooseForm(u"le"_s);
        QTRY_VERIFY(concordance()->model() && concordance()->model()->rowCount() == 3);
        const auto *pinned = tabs->widget(4)->findChild<QTableView *>();
        QCOMPARE(pinned->model()->index(0, 2).data().toString().contains(u"chat"_s), true);
    }

    // The Lafon scores sort by a text and hide the forms banal at the
    // threshold; the current form's bars lead to its concordance in a text.
    void lafonScoresSortHideAndLeadToTheConcordance()
    {
        auto *tabs = child<QTabWidget>(u"onglets"_s);
        tabs->setCurrentWidget(child<QWidget>(u"ongletSpecificites"_s));
        auto *table = child<QTableView>(u"specificites"_s);
        QCOMPARE(table->model()->rowCount(), 9);
        table->horizontalHeader()->sectionClicked(3); // b.txt: its own forms first
        QCOMPARE(table->model()->index(0, 0).data().toString(), u"chats"_s);
        child<QDoubleSpinBox>(u"seuil"_s)->setValue(0.3);
        child<QCheckBox>(u"masquerBanales"_s)->setChecked(true);
        QStringList kept;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            kept.append(table->model()->index(row, 0).data().toString());
        QCOMPARE(kept, (QStringList{u"aussi"_s, u"chien"_s, u"dort"_s, u"le"_s}));

        child<QCheckBox>(u"masquerBanales"_s)->setChecked(false);
        chooseForm(u"chat"_s);
        const auto series = child<QChartView>(u"barresSpecificites"_s)->chart()->series();
        auto *scores = qobject_cast<QBarSeries *>(series.constFirst());
        QCOMPARE(scores->barSets().constFirst()->count(), 2);
        QVERIFY(scores->barSets().constFirst()->at(0) < 0 && scores->barSets().constFirst()->at(1) > 0);
        Q_EMIT scores->clicked(1, scores->barSets().constFirst());
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(concordance()->model()->rowCount(), 2);
    }

    // The saves and the printout give the list and the concordance as shown.
    void savesWriteWhatIsShown()
    {
        chooseForm(u"chat"_s);
        QCOMPARE(saved(u"enregistrerListe"_s),
                 "Formes\tNombre d'attestations\ta.txt\tb.txt\r\nchat\t3\t1\t2\r\nchats\t1\t0\t1\r\n");
        m_window->findChild<QAction *>(u"imprimer"_s)->trigger();
        const QString printed = m_scripted.printing.documents().back().front().join(u'\n');
        QVERIFY(printed.contains(u" chats ("_s) && !printed.contains(u"dort"_s));
        QTRY_VERIFY(concordance()->model() && concordance()->model()->rowCount() == 3);
        QCOMPARE(saved(u"enregistrerConcordance"_s),
                 "\xEF\xBB\xBFN\xC2\xB0\tTexte\tContexte gauche\tForme\tContexte droit\r\n"
                 "1\ta.txt\tLe \tchat\t dort. Le chien aussi.\r\n"
                 "2\tb.txt\tUn \tchat\t, deux chats : le chat \xC3\xA9t\xC3\xA9.\r\n"
                 "3\tb.txt\tUn chat, deux chats : le \tchat\t \xC3\xA9t\xC3\xA9.\r\n");
    }
};

QTEST_MAIN(CorpusWindowTest)
#include "corpuswindow_test.moc"
