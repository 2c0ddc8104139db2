// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/concordancelinedelegate.h"
#include "gui/look/windowlook.h"
#include "support/windowtesting.h"

#include <QApplication>
#include <QColor>
#include <QListView>
#include <QPalette>
#include <QStyle>
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
};

QTEST_MAIN(CorpusWidgetsTest)
#include "corpuswidgets_test.moc"
