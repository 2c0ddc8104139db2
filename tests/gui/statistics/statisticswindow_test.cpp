// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/statistics/statisticswindow.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"
#include "wordforms/analysis.h"

#include <QAction>
#include <QApplication>
#include <QLogValueAxis>
#include <QScreen>
#include <QChart>
#include <QChartView>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// Wiring only: the measures and the curves' data are tested in the core.
class StatisticsWindowTest : public QObject
{
    Q_OBJECT

    QTabWidget *curves() const { return m_window->findChild<QTabWidget *>(u"courbes"_s); }
    void trigger(const QString &action) const { m_window->findChild<QAction *>(action)->trigger(); }
    // What is saved under a name typed without an extension, with the
    // filter's type chosen.
    QByteArray savedThrough(const QString &action, int type, const QString &savedName)
    {
        const QTemporaryDir folder;
        m_scripted.dialogs.setNextFileName(folder.filePath(savedName.section(u'.', 0, 0)), type);
        trigger(action);
        return contentOf(folder.filePath(savedName));
    }

    const TextAnalysis m_analysis = analyseTextWithTokens(u"le chat et le chien, le rat"_s);
    ScriptedServices m_scripted;
    std::unique_ptr<StatisticsWindow> m_window;

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<StatisticsWindow>(LexicalStatistics(m_analysis.list, m_analysis.tokens), m_scripted.services());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // A curve is drawn when its tab is first shown.
    void eachTabDrawsItsCurve()
    {
        for (int tab = 0; tab < curves()->count(); ++tab) {
            auto *view = qobject_cast<QChartView *>(curves()->widget(tab));
            QCOMPARE(view->chart()->series().isEmpty(), tab > 0);
            curves()->setCurrentIndex(tab);
            QVERIFY(!view->chart()->series().isEmpty());
        }
    }

    // The measures as shown, in Windows-1252.
    void savesTheMeasures()
    {
        QCOMPARE(savedThrough(u"enregistrer"_s, 0, u"mesures.txt"_s),
                 "Mesure\tValeur\r\n"
                 "Nombre total de formes\t7\r\n"
                 "Nombre de formes diff\xE9rentes\t5\r\n"
                 "Rapport formes diff\xE9rentes / total\t0,7143\r\n"
                 "Rapport standardis\xE9 (tranches de 1 000 formes)\t\x97\r\n"
                 "Hapax\t4\r\n"
                 "Part des hapax dans les formes diff\xE9rentes\t0,8000\r\n"
                 "Formes attest\xE9""es deux fois\t0\r\n"
                 "Fr\xE9quence maximale\t3\r\n"
                 "Forme la plus fr\xE9quente\tle\r\n"
                 "Fr\xE9quence moyenne\t1,40\r\n"
                 "Longueur moyenne des formes\t2,86\r\n"
                 "Longueur moyenne des formes diff\xE9rentes\t3,20\r\n"
                 "Index de Guiraud\t1,8898\r\n"_ba);
    }

    // The curve shown, as PNG or SVG by the type chosen.
    void savesTheVisibleCurve_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("savedName");
        QTest::addColumn<QByteArrayList>("held");
        QTest::newRow("PNG") << 0 << 0 << u"courbe.png"_s << QByteArrayList{"\x89PNG"};
        QTest::newRow("SVG") << 2 << 1 << u"courbe.svg"_s << QByteArrayList{"<svg", "Spectre des fr"};
    }

    void savesTheVisibleCurve()
    {
        QFETCH(int, tab);
        QFETCH(int, type);
        QFETCH(QString, savedName);
        QFETCH(QByteArrayList, held);
        curves()->setCurrentIndex(tab);
        const QByteArray saved = savedThrough(u"enregistrerCourbe"_s, type, savedName);
        for (const QByteArray &part : held)
            QVERIFY2(saved.contains(part), part.constData());
    }

    // The measures, then the visible curve, in one document.
    void printsTheMeasuresAndTheCurve()
    {
        trigger(u"imprimer"_s);
        QCOMPARE(m_scripted.printing.documents().size(), size_t(1));
        const QStringList page = m_scripted.printing.documents().front().front();
        QVERIFY(page.first().contains(u"Statistiques lexicales"_s));
        QVERIFY(page.contains(u"0 Forme la plus fréquente (verdana 9) | 5000 le (verdana 9)"_s));
        QVERIFY(page.last().startsWith(u"0 [image 9000 x 5760 twips, "_s));
    }

    void fitsTheScreen()
    {
        const QSize screen = m_window->screen()->availableGeometry().size();
        QCOMPARE(m_window->size().boundedTo(screen), m_window->size());
    }

    // Tab goes round the controls back to the measures, by the tabs (and
    // their scroll buttons when the window is narrow), never into a curve.
    void tabLeavesTheMeasuresNeverForACurve()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *measures = m_window->findChild<QTableView *>(u"mesures"_s);
        measures->setFocus();
        QStringList focused;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            focused.append(QString::fromLatin1(QApplication::focusWidget()->metaObject()->className()));
        } while (QApplication::focusWidget() != measures && focused.size() < 5);
        QCOMPARE(focused.front(), u"QTabBar"_s);
        QCOMPARE(focused.back(), u"QTableView"_s);
        QVERIFY(!focused.contains(u"QChartView"_s));
    }

    // Ctrl+Tab and Ctrl+Page Down or Up go round the curves from the measures.
    void keysGoRoundTheCurves()
    {
        auto *measures = m_window->findChild<QTableView *>(u"mesures"_s);
        QList<int> tabs;
        for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_PageDown,
                                           Qt::CTRL | Qt::Key_PageUp, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab}) {
            QTest::keyClick(measures, keys.key(), keys.keyboardModifiers());
            tabs.append(curves()->currentIndex());
        }
        QCOMPARE(tabs, (QList<int>{1, 2, 0, 2, 1}));
    }

    // The word list's keys; the command saving the measures says so.
    void commandsHaveTheWordListsShortcuts()
    {
        QStringList shortcuts;
        for (const QString &name : {u"enregistrer"_s, u"imprimer"_s, u"fermer"_s})
            shortcuts.append(m_window->findChild<QAction *>(name)->shortcut().toString());
        QCOMPARE(shortcuts, (QStringList{u"Ctrl+S"_s, u"Ctrl+P"_s, u"Ctrl+W"_s}));
        QCOMPARE(m_window->findChild<QAction *>(u"enregistrer"_s)->text(), u"&Enregistrer les mesures sous"_s);
    }

    // Every form seen once: the flat curve still has a span on each axis.
    void flatRankCurveHasItsAxes()
    {
        const TextAnalysis flat = analyseTextWithTokens(u"le chat"_s);
        m_window = std::make_unique<StatisticsWindow>(LexicalStatistics(flat.list, flat.tokens), m_scripted.services());
        const QChart *chart = qobject_cast<QChartView *>(curves()->widget(0))->chart();
        for (const QAbstractAxis *axis : chart->axes()) {
            const auto *logarithmic = qobject_cast<const QLogValueAxis *>(axis);
            QVERIFY(logarithmic && logarithmic->min() < logarithmic->max());
        }
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statisticswindow_test.moc"
