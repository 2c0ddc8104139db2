// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/concordancelinedelegate.h"
#include "gui/corpus/corpusstatisticsview.h"
#include "gui/corpus/textview.h"
#include "gui/look/windowlook.h"
#include "gui/textpane/textpane.h"
#include "support/windowtesting.h"
#include "wordforms/textstudy.h"

#include <QAbstractItemModelTester>
#include <QAbstractSeries>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QColor>
#include <QListView>
#include <QPalette>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTest>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// The corpus workspace's parts: their wiring, and the colours they choose.
class CorpusWidgetsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The form's and the sort words' colours read at 4.5:1 on every ground of
    // a row, under a light and a dark theme, selected or not.
    void concordanceInksReadOnEveryGround_data()
    {
        QTest::addColumn<QPalette>("desktop");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << darkPalette();
    }

    void concordanceInksReadOnEveryGround()
    {
        QFETCH(QPalette, desktop);
        QListView view;
        view.setPalette(desktop);
        setReadableSelection(&view);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            for (const QPalette::ColorRole role : {QPalette::Base, QPalette::AlternateBase, QPalette::Highlight}) {
                const QColor ground = view.palette().color(group, role);
                const ConcordanceInks inks = concordanceInksOn(ground);
                for (const QColor &ink : {inks.form, inks.firstSortWord, inks.secondSortWord})
                    QVERIFY2(contrast(ink, ground) >= 4.5, qPrintable(ground.name() + u' ' + ink.name()));
            }
        }
    }

    // A row a text, then the corpus's, a column a measure, and a named curve
    // a text; the table and the chart named for screen readers.
    void statisticsShowEveryTextAndTheCorpus()
    {
        CorpusStatisticsView view;
        auto *table = view.findChild<QTableView *>(u"mesures"_s);
        new QAbstractItemModelTester(table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, &view);
        view.setStatistics({u"a.txt"_s, u"b.txt"_s}, {TextStudy(u"le chat et le chien"_s).statistics(), TextStudy(u"un oiseau"_s).statistics()},
                           TextStudy(u"le chat et le chien un oiseau"_s).statistics());
        QStringList rows;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            rows.append(table->model()->headerData(row, Qt::Vertical).toString() + u' ' + table->model()->index(row, 0).data().toString());
        QCOMPARE(rows, (QStringList{u"a.txt 5"_s, u"b.txt 2"_s, u"Corpus entier 7"_s}));
        QCOMPARE(table->model()->headerData(1, Qt::Horizontal).toString(), u"Nombre de formes différentes"_s);
        const auto *chart = view.findChild<QChartView *>(u"accroissement"_s);
        QStringList curves;
        for (const QAbstractSeries *series : chart->chart()->series())
            curves.append(series->name());
        QCOMPARE(curves, (QStringList{u"a.txt"_s, u"b.txt"_s}));
        QVERIFY(!table->accessibleName().isEmpty() && !chart->accessibleName().isEmpty());
    }

    // F3 and Maj+F3 ask for the next and the previous attestation, once they
    // may be given; an attestation shown is selected.
    void textViewAsksForTheNextAttestation()
    {
        TextView view;
        view.setText(u"a.txt"_s, u"un deux trois"_s);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        const QSignalSpy next(&view, &TextView::nextRequested);
        const QSignalSpy previous(&view, &TextView::previousRequested);
        QTest::keyClick(&view, Qt::Key_F3);
        view.setNavigation(true, true);
        QTest::keyClick(&view, Qt::Key_F3);
        QTest::keyClick(&view, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE((QList<qsizetype>{next.size(), previous.size()}), (QList<qsizetype>{1, 1}));
        view.showAttestation(3, 7);
        QCOMPARE(view.findChild<TextPane *>(u"texte"_s)->selectedText(), u"deux"_s);
    }
};

QTEST_MAIN(CorpusWidgetsTest)
#include "corpuswidgets_test.moc"
