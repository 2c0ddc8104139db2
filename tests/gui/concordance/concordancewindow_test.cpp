// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/concordance/concordancemodel.h"
#include "gui/concordance/concordancewindow.h"
#include "gui/concordance/dispersionstrip.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"
#include "wordforms/analysis.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// Wiring only: the concordance itself is tested in the core.
class ConcordanceWindowTest : public QObject
{
    Q_OBJECT

    template<typename Child>
    Child *child(const QString &name) const { return m_window->findChild<Child *>(name); }
    QTableView *table() const { return child<QTableView>(u"concordance"_s); }
    qsizetype currentAttestation() const
    {
        return qobject_cast<ConcordanceModel *>(table()->model())->concordance().attestation(table()->currentIndex().row());
    }

    const QString m_text = u"Un chat.\n\n"_s + u"mot "_s.repeated(200) + u"\n\nDeux chats, le chat."_s;
    TextAnalysis m_analysis = analyseTextWithTokens(m_text);
    ScriptedServices m_scripted;
    std::unique_ptr<ConcordanceWindow> m_window;

private Q_SLOTS:
    void init()
    {
        const TextTokens::Rank chat = m_analysis.list.rank(m_analysis.list.rowOf(u"chat"_s));
        m_window = std::make_unique<ConcordanceWindow>(Concordance(m_text, m_analysis.tokens, chat), u"chat"_s, m_scripted.services());
        new QAbstractItemModelTester(table()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // A click near the strip's end selects the last attestation and shows its paragraph.
    void stripClickShowsTheLastAttestation()
    {
        auto *strip = child<DispersionStrip>(u"dispersion"_s);
        QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip->width() - 6, 10));
        QCOMPARE(currentAttestation(), 1);
        QCOMPARE(child<QTextEdit>(u"paragraphe"_s)->toPlainText(), u"Deux chats, le chat."_s);
    }

    // A sort keeps the attestation current; a sort stopped leaves the rows
    // and the choice as they were.
    void sortKeepsTheCurrentAttestation()
    {
        child<QComboBox>(u"tri"_s)->setCurrentIndex(3); // the first word on the right: none comes first
        QCOMPARE(table()->currentIndex().row(), 1);
        QCOMPARE(currentAttestation(), 0);
        new DuringNextTask(*m_window, DuringNextTask::When::AtStart, &TaskRunner::cancel);
        child<QComboBox>(u"tri"_s)->setCurrentIndex(0);
        QCOMPARE(child<QComboBox>(u"tri"_s)->currentIndex(), 3);
        QCOMPARE(currentAttestation(), 0);
        QCOMPARE(table()->currentIndex().row(), 1);
    }

    // Afficher, or Entrée as a double-click, gives the characters of the attestation selected.
    void showGivesTheSelectedAttestation_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Afficher") << false;
        QTest::newRow("Entrée") << true;
    }

    void showGivesTheSelectedAttestation()
    {
        QFETCH(bool, byKey);
        QSignalSpy shown(m_window.get(), &ConcordanceWindow::attestationShown);
        table()->setCurrentIndex(table()->model()->index(1, 0));
        if (byKey)
            QTest::keyClick(table(), Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>(u"afficher"_s), Qt::LeftButton);
        QCOMPARE(shown.value(0), (QVariantList{m_text.size() - 5, m_text.size() - 1})); // the second "chat"
    }

    // The window fits the screen and has the word list's keys.
    void fitsTheScreenWithTheWordListsKeys()
    {
        const QSize screen = m_window->screen()->availableGeometry().size();
        QCOMPARE(m_window->size().boundedTo(screen), m_window->size());
        QStringList shortcuts;
        for (const QString &name : {u"enregistrer"_s, u"imprimer"_s, u"fermer"_s})
            shortcuts.append(child<QAction>(name)->shortcut().toString());
        QCOMPARE(shortcuts, (QStringList{u"Ctrl+S"_s, u"Ctrl+P"_s, u"Ctrl+W"_s}));
    }

    void printsInTheOrderShown()
    {
        child<QComboBox>(u"tri"_s)->setCurrentIndex(3); // the first word on the right: none comes first
        child<QAction>(u"imprimer"_s)->trigger();
        QCOMPARE(m_scripted.printing.documents().size(), size_t(1));
        QVERIFY(m_scripted.printing.documents().front().front().at(3).startsWith(u"0 2 "_s));
    }

    // Figures and plurals.
    void countsAreSpelledOut()
    {
        QCOMPARE(child<QLabel>(u"attestations"_s)->text(), u"2 attestations de « chat »"_s);
        child<QSpinBox>(u"contexte"_s)->setValue(1);
        QCOMPARE(child<QSpinBox>(u"contexte"_s)->text(), u"1 mot"_s);
    }

    // The strip marks the attestation selected: the first near its start,
    // the last near its end.
    void stripMarksTheSelection()
    {
        auto *strip = child<DispersionStrip>(u"dispersion"_s);
        for (const int row : {0, 1}) {
            table()->setCurrentIndex(table()->model()->index(row, 0));
            const QImage shot = strip->grab().toImage();
            QList<int> marked;
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(int(x * shot.devicePixelRatio()), 1) == QColor(204, 0, 0))
                    marked.append(x);
            QVERIFY(!marked.isEmpty());
            QCOMPARE(marked.back() < strip->width() / 4, row == 0);
            QCOMPARE(marked.front() > strip->width() * 3 / 4, row == 1);
        }
    }

    // The selected line reads at 4.5:1 at least on a light or dark desktop.
    void selectionReadsUnderAnyTheme()
    {
        const QPalette desktop = QApplication::palette();
        for (const QPalette &theme : {desktop, darkPalette()}) {
            QApplication::setPalette(theme);
            init();
            QApplication::setPalette(desktop);
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                const QPalette colours = table()->palette();
                QVERIFY(contrast(colours.color(group, QPalette::HighlightedText), colours.color(group, QPalette::Highlight)) >= 4.5);
            }
        }
    }

    // The file holds the rows as shown, at the context's width shown.
    void savesTheConcordanceShown()
    {
        child<QSpinBox>(u"contexte"_s)->setValue(1);
        QCOMPARE(table()->model()->index(0, ConcordanceModel::rightColumn).data().toString(), u"."_s + u"¶"_s.repeated(2) + u"mot"_s);
        child<QComboBox>(u"tri"_s)->setCurrentIndex(1);
        const QTemporaryDir folder;
        m_scripted.dialogs.setNextFileName(folder.filePath(u"concordance.txt"_s));
        child<QAction>(u"enregistrer"_s)->trigger();
        QCOMPARE(contentOf(folder.filePath(u"concordance.txt"_s)),
                 "\xEF\xBB\xBFN\xC2\xB0\tContexte gauche\tForme\tContexte droit\r\n"
                 "2\tle \tchat\t.\r\n"
                 "1\tUn \tchat\t.\xC2\xB6\xC2\xB6mot\r\n"_ba);
    }
};

QTEST_MAIN(ConcordanceWindowTest)
#include "concordancewindow_test.moc"
