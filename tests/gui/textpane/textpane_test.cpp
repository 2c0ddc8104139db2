// SPDX-License-Identifier: GPL-3.0-or-later
// The pane's wiring: keys, mouse, wheel and scroll bar reach the moves, the
// selection, the clipboard and the painting. The moves are tested without a window.

#include "gui/textpane/textpane.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace lexalon;
using namespace Qt::StringLiterals;

static const QString prose = u"été la moisson de Vallombreuse commence toujours par une odeur "_s;
using Keys = QList<QKeyCombination>;

class TextPaneTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_pane = std::make_unique<TextPane>();
        m_pane->resize(300, 200);
        m_pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
    }
    void cleanup() { m_pane.reset(); }

    // Painted, copied whole and scrolled to either end, whatever the text.
    void textComesBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("every line end") << u"Première\r\nSeconde\nà\rla\n\rfin\r"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("10 MB") << prose.repeated(170'000).left(10 << 20);
    }

    void textComesBackExactly()
    {
        QFETCH(QString, text);
        m_pane->setText(text);
        QGuiApplication::clipboard()->clear();
        QVERIFY(!m_pane->grab().isNull());
        press({Qt::ControlModifier | Qt::Key_End, Qt::ControlModifier | Qt::Key_A, Qt::ControlModifier | Qt::Key_C});
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QCOMPARE(m_pane->verticalScrollBar()->value(), m_pane->verticalScrollBar()->maximum());
        press({Qt::ControlModifier | Qt::Key_Home});
        QCOMPARE(m_pane->verticalScrollBar()->value(), 0);
    }

    void keysMoveAndSelect()
    {
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        m_pane->setText(u"un\r\ndeux\rtrois"_s);
        press({Qt::Key_End, shift | Qt::Key_Right, shift | Qt::Key_Down, shift | ctrl | Qt::Key_Left});
        QCOMPARE(m_pane->selectedText(), u"\r\ndeux"_s);
        QCOMPARE(m_pane->selection().position, 8);
        press({ctrl | Qt::Key_End, Qt::Key_Up, shift | Qt::Key_Home});
        QCOMPARE(m_pane->selectedText(), u"deux"_s);
    }

    // A drag selects; a double click takes the word.
    void mouseSelects()
    {
        m_pane->setText(u"Le chat dort\r\nsur le mur\r\n"_s);
        QWidget *viewport = m_pane->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(3));
        QTest::mouseMove(viewport, pointOf(17));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(17));
        QCOMPARE(m_pane->selectedText(), u"chat dort\r\nsur"_s);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointOf(5));
        QCOMPARE(m_pane->selectedText(), u"chat"_s);
    }

    // A drag below the pane scrolls and selects on.
    void dragBelowScrollsAndSelects()
    {
        m_pane->setText(u"Le chat dort\r\nsur le mur\r\n"_s.repeated(50));
        QWidget *viewport = m_pane->viewport();
        const QPoint below(20, viewport->height() + 10);
        QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(7));
        QTest::mouseMove(viewport, below);
        QTRY_VERIFY(m_pane->verticalScrollBar()->value() >= 3);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
        QCOMPARE(m_pane->selectedText(), m_pane->Text().mid(7, m_pane->selection().position - 7));
    }

    // Down keeps aiming at the same place across a wrapped row.
    void downKeepsItsPlaceAcrossAWrappedRow()
    {
        m_pane->setText(prose.repeated(4));
        press({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down});
        const QRectF below = *m_pane->cursorRect(m_pane->selection().position);
        QVERIFY(qAbs(below.left() - m_pane->cursorRect(2)->left()) < 8 && below.top() == m_pane->cursorRect(2)->bottom());
    }

    void widerPaneTakesFewerRows()
    {
        m_pane->setText(prose.repeated(4));
        const qreal endTop = m_pane->cursorRect(4 * prose.size())->top();
        m_pane->resize(600, 200);
        QVERIFY(m_pane->cursorRect(4 * prose.size())->top() < endTop);
    }

    // A page moves a page and the scroll bar with it; a page that meets the
    // end goes to the end.
    void pageKeysMoveAPage()
    {
        m_pane->setText(u"ligne\r\n"_s.repeated(300));
        QScrollBar *bar = m_pane->verticalScrollBar();
        press({Qt::Key_PageDown});
        const qsizetype page = m_pane->selection().position / 7;
        QVERIFY(page > 0 && !m_pane->cursorRect(0));
        QCOMPARE(bar->value(), page);
        press({Qt::Key_PageUp});
        QCOMPARE(bar->value(), 0);
        press(Keys(300 / page + 2, Qt::Key_PageDown));
        QCOMPARE(m_pane->selection().position, m_pane->Text().size());
        QCOMPARE(bar->value(), bar->maximum());
    }

    void wheelScrollsSomeRows()
    {
        m_pane->setText(u"ligne\r\n"_s.repeated(300));
        const QPointF centre = QRectF(m_pane->viewport()->rect()).center();
        QWheelEvent down(centre, m_pane->viewport()->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pane->viewport(), &down);
        QCOMPARE(m_pane->verticalScrollBar()->value(), QApplication::wheelScrollLines());
    }

    // A place's row comes to the middle, or as near as the start and end allow.
    void centreBringsARowToTheMiddle_data()
    {
        QTest::addColumn<int>("line");
        QTest::newRow("middle") << 150;
        QTest::newRow("near the start") << 2;
        QTest::newRow("near the end") << 298;
    }

    void centreBringsARowToTheMiddle()
    {
        QFETCH(int, line);
        m_pane->setText(u"ligne\r\n"_s.repeated(300));
        QScrollBar *bar = m_pane->verticalScrollBar();
        m_pane->centre(7 * line);
        QCOMPARE(bar->value(), std::clamp(line - bar->pageStep() / 2, 0, bar->maximum()));
    }

    // A screen reader reads the text, the cursor and the selection, finds a
    // character where it is drawn, and selects and scrolls.
    void screenReadersReadTheText()
    {
        m_pane->setText(u"ligne\r\n"_s.repeated(300));
        QAccessibleInterface *pane = QAccessible::queryAccessibleInterface(m_pane.get());
        QAccessibleTextInterface *text = pane->textInterface();
        QVERIFY(text && pane->state().readOnly && pane->state().multiLine);
        QCOMPARE(text->characterCount(), m_pane->Text().size());
        QCOMPARE(text->text(7, 12) + text->text(2095, -1), u"lignegne\r\n"_s);
        press({Qt::Key_Down, Qt::ShiftModifier | Qt::Key_End});
        int start = 0, end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(QList<int>({text->cursorPosition(), text->selectionCount(), start, end}), QList<int>({12, 1, 7, 12}));
        QCOMPARE(text->offsetAtPoint(text->characterRect(9).center()), 9);
        text->setSelection(0, 2093, 2098);
        QCOMPARE(m_pane->selectedText(), u"ligne"_s);
        QVERIFY(m_pane->cursorRect(2098));
        text->setCursorPosition(0);
        text->scrollToSubstring(2093, 2098);
        QVERIFY(m_pane->cursorRect(2093) && !m_pane->cursorRect(0));
    }

private:
    void press(const Keys &keys)
    {
        for (const QKeyCombination key : keys)
            QTest::keyClick(m_pane.get(), key.key(), key.keyboardModifiers());
    }
    QPoint pointOf(qsizetype position) { return m_pane->cursorRect(position).value().center().toPoint(); }

    std::unique_ptr<TextPane> m_pane;
};

QTEST_MAIN(TextPaneTest)
#include "textpane_test.moc"
