#include "document/ui/panelayout.h"
#include "document/ui/textpane.h"

#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <memory>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize paneSize{300, 200};

QString prose(int words)
{
    static const QString vocabulary[] = {u"été"_s, u"la"_s, u"moisson"_s, u"de"_s, u"Vallombreuse"_s,
                                         u"commence"_s, u"toujours"_s, u"par"_s, u"une"_s, u"odeur"_s};
    QString text;
    for (int i = 0; i < words; ++i)
        text += vocabulary[i % 10] + u' ';
    return text;
}

} // namespace

class TextPaneTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void textComesBackExactly_data();
    void textComesBackExactly();

    void shiftArrowsSelectALineBreakAsTheTextHoldsIt();
    void selectAllCopiesTheWholeText();
    void mouseDragShiftClickAndDoubleClickSelect();
    void draggingBelowThePaneScrollsAndSelectsOn();
    void contextMenuOffersCopyAndSelectAll();

    void longLinesWrapAtTheWidth();
    void aNarrowPaneWrapsAtWordsAndNeverLosesACharacter();
    void ctrlEndAndTheScrollBarReachTheEnd();
    void wheelScrollsByRows();
    void arrowsHomeAndEndFollowTheRows();
    void pageKeysMoveAPage();
    void tenMegabytesWithoutABreakScrollAndSelect();
    void onlyLineBreaksAreStepsOfOneLine();

    void layoutEstimatesRowsUntilItLaysOut();
    void layoutMovesAcrossParagraphs();

private:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QPoint pointOf(qsizetype position);

    std::unique_ptr<TextPane> m_pane;
};

void TextPaneTest::init()
{
    m_pane = std::make_unique<TextPane>();
    m_pane->resize(paneSize);
    m_pane->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
    m_pane->setFocus();
}

void TextPaneTest::cleanup()
{
    m_pane.reset();
}

void TextPaneTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(m_pane.get(), key, modifiers);
}

QPoint TextPaneTest::pointOf(qsizetype position)
{
    const std::optional<QRectF> rect = m_pane->cursorRect(position);
    if (!rect)
        qFatal("the position is out of view");
    return rect->center().toPoint();
}

void TextPaneTest::textComesBackExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("CR LF line ends") << u"Première ligne\r\nSeconde, à la fin\r\n\r\n\tFin"_s;
    QTest::newRow("LF, lone CR and LF CR") << u"a\nb\rc\n\rd\r"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("only line breaks") << u"\r\n"_s.repeated(5000);
    QTest::newRow("10 MB without a line break") << prose(1'300'000).left(10 << 20);
    QTest::newRow("control characters") << u"nul \u0000, page \u000C, fin"_s;
}

void TextPaneTest::textComesBackExactly()
{
    QFETCH(QString, text);
    m_pane->setText(text);
    QCOMPARE(m_pane->Text(), text);
    QCOMPARE(m_pane->Text().size(), text.size());
    // The pane keeps the caller's string, not a copy of its own.
    QCOMPARE(m_pane->Text().constData(), text.constData());
    QVERIFY(!m_pane->grab().isNull());
    QVERIFY(m_pane->selectedText().isEmpty());
}

void TextPaneTest::shiftArrowsSelectALineBreakAsTheTextHoldsIt()
{
    m_pane->setText(u"un\r\ndeux\rtrois"_s);
    press(Qt::Key_End);
    QCOMPARE(m_pane->selection().position, 2);
    press(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(m_pane->selectedText(), u"\r\n"_s);
    press(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(m_pane->selectedText(), u"\r\ndeux\r"_s);
    press(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(m_pane->selectedText(), u"\r\ndeux\rt"_s);
    press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"\r\ndeux\rt"_s);

    press(Qt::Key_Left);
    QVERIFY(m_pane->selectedText().isEmpty());
}

void TextPaneTest::selectAllCopiesTheWholeText()
{
    const QString text = u"Le chat\r\n\r\nl'âne\n\tfin\r"_s;
    m_pane->setText(text);
    press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_pane->selectedText(), text);
    m_pane->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
}

void TextPaneTest::mouseDragShiftClickAndDoubleClickSelect()
{
    m_pane->setText(u"Le chat dort\r\nsur le mur"_s);
    QWidget *viewport = m_pane->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(3));
    QTest::mouseMove(viewport, pointOf(17));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(17));
    QCOMPARE(m_pane->selectedText(), u"chat dort\r\nsur"_s);

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, pointOf(20));
    QCOMPARE(m_pane->selectedText(), u"chat dort\r\nsur le"_s);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(8));
    QVERIFY(m_pane->selectedText().isEmpty());
    QCOMPARE(m_pane->selection().position, 8);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointOf(5));
    QCOMPARE(m_pane->selectedText(), u"chat"_s);
}

void TextPaneTest::draggingBelowThePaneScrollsAndSelectsOn()
{
    const QString text = u"ligne\r\n"_s.repeated(100);
    m_pane->setText(text);
    QWidget *viewport = m_pane->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(7));
    QTest::mouseMove(viewport, QPoint(20, viewport->height() + 10));
    QTRY_VERIFY(m_pane->verticalScrollBar()->value() >= 3);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(20, viewport->height() + 10));
    const qint64 scrolled = m_pane->verticalScrollBar()->value();
    QCOMPARE(m_pane->selection().anchor, 7);
    QVERIFY(m_pane->cursorRect(m_pane->selection().position));
    QCOMPARE(m_pane->selectedText(), text.mid(7, m_pane->selection().position - 7));
    // Once the button is up, nothing scrolls any more.
    QTest::qWait(200);
    QCOMPARE(m_pane->verticalScrollBar()->value(), scrolled);
}

void TextPaneTest::contextMenuOffersCopyAndSelectAll()
{
    const QString text = u"Le chat\r\ndort"_s;
    m_pane->setText(text);
    QStringList items;
    QList<bool> enabled;
    QTimer::singleShot(0, [&items, &enabled] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            items << action->text();
            enabled << action->isEnabled();
        }
        menu->actions().last()->trigger();
        menu->close();
    });
    const QPoint inside = pointOf(2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, m_pane->viewport()->mapToGlobal(inside));
    QApplication::sendEvent(m_pane->viewport(), &event);

    const QStringList expected{QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                               QCoreApplication::translate("QWidgetTextControl", "Select All")};
    QCOMPARE(items, expected);
    QCOMPARE(enabled, (QList<bool>{false, true}));
    QCOMPARE(m_pane->selectedText(), text);
}

void TextPaneTest::longLinesWrapAtTheWidth()
{
    const QString text = prose(60);
    m_pane->setText(text);
    const QRectF first = *m_pane->cursorRect(0);
    const QRectF end = *m_pane->cursorRect(text.size() - 1);
    QVERIFY2(end.top() > first.top() + 2 * first.height(), "a long line takes several rows");
    for (qsizetype position = 0; position < text.size(); ++position) {
        const std::optional<QRectF> rect = m_pane->cursorRect(position);
        QVERIFY(rect);
        QVERIFY(rect->right() <= m_pane->viewport()->width());
    }
    // Wider, the same line takes fewer rows.
    m_pane->resize(2 * paneSize.width(), paneSize.height());
    QVERIFY(m_pane->cursorRect(text.size() - 1)->top() < end.top());
}

void TextPaneTest::aNarrowPaneWrapsAtWordsAndNeverLosesACharacter()
{
    PaneLayout layout(m_pane->font());
    const QString text = u"Vallombreuse commence toujours par une odeur"_s;
    layout.setText(text);
    const qreal width = QFontMetricsF(layout.font()).horizontalAdvance(u"Vallombreuse commence"_s) + 1;
    layout.setWidth(width);
    QStringList rows;
    for (qint64 row = 0; row < layout.rows(0); ++row) {
        const TextRange range = layout.rowRange({0, row});
        rows << text.mid(range.begin, range.length());
        QVERIFY(layout.layout(0).lineAt(int(row)).naturalTextWidth() <= width);
    }
    QVERIFY(rows.size() >= 2);
    QCOMPARE(rows.first(), u"Vallombreuse commence "_s);
    for (qsizetype row = 0; row + 1 < rows.size(); ++row)
        QVERIFY2(rows[row].endsWith(u' '), qPrintable(rows[row]));
    QCOMPARE(rows.join(QString()), text);

    // Narrower than a word: the word is cut, no character is lost.
    layout.setWidth(QFontMetricsF(layout.font()).horizontalAdvance(u"Vallo"_s));
    QString joined;
    for (qint64 row = 0; row < layout.rows(0); ++row) {
        const TextRange range = layout.rowRange({0, row});
        QVERIFY(range.length() > 0);
        joined += text.mid(range.begin, range.length());
    }
    QCOMPARE(joined, text);
}

void TextPaneTest::ctrlEndAndTheScrollBarReachTheEnd()
{
    QString text;
    for (int line = 0; line < 2000; ++line)
        text += prose(line % 30) + u"\r\n"_s;
    text += u"fin"_s;
    m_pane->setText(text);
    QVERIFY(!m_pane->cursorRect(text.size()));

    press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_pane->selection().position, text.size());
    const std::optional<QRectF> end = m_pane->cursorRect(text.size());
    QVERIFY(end);
    QVERIFY(end->bottom() <= m_pane->viewport()->height());
    QScrollBar *bar = m_pane->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());

    press(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(bar->value(), 0);
    QVERIFY(m_pane->cursorRect(0));

    bar->setValue(bar->maximum());
    QVERIFY(m_pane->cursorRect(text.size()));
    bar->setValue(bar->maximum() / 2);
    QVERIFY(!m_pane->cursorRect(0));
    QVERIFY(!m_pane->cursorRect(text.size()));
    bar->setValue(0);
    QVERIFY(m_pane->cursorRect(0));
}

void TextPaneTest::wheelScrollsByRows()
{
    m_pane->setText(u"ligne\r\n"_s.repeated(200));
    QScrollBar *bar = m_pane->verticalScrollBar();
    const QPointF centre = QRectF(m_pane->viewport()->rect()).center();
    QWheelEvent down(centre, m_pane->viewport()->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_pane->viewport(), &down);
    QCOMPARE(bar->value(), QApplication::wheelScrollLines());
    QVERIFY(!m_pane->cursorRect(0));
    QVERIFY(m_pane->cursorRect(7 * QApplication::wheelScrollLines()));
}

void TextPaneTest::arrowsHomeAndEndFollowTheRows()
{
    const QString text = prose(40) + u"\r\ncourte\r\n"_s + prose(40);
    m_pane->setText(text);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    const qreal x = m_pane->cursorRect(2)->left();
    press(Qt::Key_Down);
    const qsizetype below = m_pane->selection().position;
    QVERIFY(below > 2);
    QVERIFY(qAbs(m_pane->cursorRect(below)->left() - x) < 8);
    QCOMPARE(m_pane->cursorRect(below)->top(), m_pane->cursorRect(2)->bottom());

    press(Qt::Key_Home);
    const qsizetype rowStart = m_pane->selection().position;
    QVERIFY(rowStart > 2 && rowStart <= below);
    QCOMPARE(m_pane->cursorRect(rowStart)->top(), m_pane->cursorRect(below)->top());
    press(Qt::Key_End, Qt::ShiftModifier);
    // A wrapped row ends before the blank it wraps at.
    QVERIFY(!m_pane->selectedText().isEmpty());
    QVERIFY(!m_pane->selectedText().endsWith(u' '));
    QCOMPARE(m_pane->cursorRect(m_pane->selection().position)->top(), m_pane->cursorRect(below)->top());

    // Down from the long line keeps aiming at the same place: through the
    // short line's end and on to the next long line.
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Home);
    const qsizetype lastRow = m_pane->selection().position;
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Right);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    QCOMPARE(m_pane->selection().position, lastRow + 3);

    press(Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(m_pane->selection().position > lastRow + 3);
}

void TextPaneTest::pageKeysMoveAPage()
{
    const QString text = u"ligne\r\n"_s.repeated(300);
    m_pane->setText(text);
    press(Qt::Key_PageDown);
    const qsizetype afterOnePage = m_pane->selection().position;
    QVERIFY(afterOnePage > 0);
    QVERIFY(m_pane->cursorRect(afterOnePage));
    QVERIFY(!m_pane->cursorRect(0));
    const qint64 rowsPerPage = afterOnePage / 7;
    QCOMPARE(afterOnePage % 7, 0);
    QCOMPARE(m_pane->verticalScrollBar()->value(), rowsPerPage);

    press(Qt::Key_PageDown, Qt::ShiftModifier);
    QCOMPARE(m_pane->selectedText(), text.mid(afterOnePage, 7 * rowsPerPage));
    press(Qt::Key_PageUp);
    press(Qt::Key_PageUp);
    QCOMPARE(m_pane->selection().position, 0);
    QCOMPARE(m_pane->verticalScrollBar()->value(), 0);

    // A page move that meets the end goes to the end.
    for (int page = 0; page < 300 / rowsPerPage + 2; ++page)
        press(Qt::Key_PageDown);
    QCOMPARE(m_pane->selection().position, text.size());
}

void TextPaneTest::tenMegabytesWithoutABreakScrollAndSelect()
{
    const QString text = prose(1'300'000).left(10 << 20);
    m_pane->setText(text);
    QScrollBar *bar = m_pane->verticalScrollBar();
    QVERIFY(bar->maximum() > 100'000);

    press(Qt::Key_End, Qt::ControlModifier);
    QVERIFY(m_pane->cursorRect(text.size()));
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(!m_pane->grab().isNull());

    bar->setValue(bar->maximum() / 2);
    QVERIFY(!m_pane->grab().isNull());
    const QPoint middle = QRectF(m_pane->viewport()->rect()).center().toPoint();
    QTest::mouseClick(m_pane->viewport(), Qt::LeftButton, {}, middle);
    const qsizetype clicked = m_pane->selection().position;
    QVERIFY(clicked > text.size() / 3 && clicked < 2 * text.size() / 3);
    for (int row = 0; row < 3; ++row)
        press(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(m_pane->selectedText(), text.mid(clicked, m_pane->selection().position - clicked));
    QVERIFY(m_pane->selectedText().size() > 20);

    press(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(bar->value(), 0);
}

void TextPaneTest::onlyLineBreaksAreStepsOfOneLine()
{
    const QString text = u"\r\n"_s.repeated(1000);
    m_pane->setText(text);
    QCOMPARE(m_pane->verticalScrollBar()->maximum() + m_pane->verticalScrollBar()->pageStep(), 1001);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    QCOMPARE(m_pane->selection().position, 6);
    press(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_pane->selectedText(), text.mid(6));
}

void TextPaneTest::layoutEstimatesRowsUntilItLaysOut()
{
    PaneLayout layout(m_pane->font());
    layout.setWidth(200);
    const QString longLine = prose(50);
    layout.setText(longLine + u"\r\ncourte\r\n"_s + longLine);
    const qint64 estimated = layout.totalRows();
    QVERIFY(estimated > 3);
    const qint64 rows = layout.rows(0) + layout.rows(1) + layout.rows(2);
    QCOMPARE(layout.totalRows(), rows);
    QCOMPARE(layout.rows(1), 1);
    QCOMPARE(layout.rowNumber({2, 1}), layout.rows(0) + 2);
    QCOMPARE(layout.placeOfRow(layout.rows(0) + 2), (RowPlace{2, 1}));

    // Another width: estimates again, then exact once laid out.
    layout.setWidth(400);
    QVERIFY(layout.rows(0) < rows);
}

void TextPaneTest::layoutMovesAcrossParagraphs()
{
    PaneLayout layout(m_pane->font());
    layout.setWidth(150);
    layout.setText(prose(20) + u"\r\n\r\n"_s + prose(20));
    const qint64 first = layout.rows(0);
    QCOMPARE(layout.moved({0, 0}, first), (RowPlace{1, 0}));
    QCOMPARE(layout.moved({0, 0}, first + 1), (RowPlace{2, 0}));
    QCOMPARE(layout.moved({2, 0}, -1), (RowPlace{1, 0}));
    QCOMPARE(layout.moved({2, 0}, -2), (RowPlace{0, first - 1}));
    QCOMPARE(layout.moved({2, 0}, -1000), (RowPlace{}));
    const RowPlace last{2, layout.rows(2) - 1};
    QCOMPARE(layout.moved({0, 0}, 1000), last);
    QCOMPARE(layout.lastTop(1), last);
    QCOMPARE(layout.lastTop(2), (RowPlace{2, layout.rows(2) - 2}));
    QCOMPARE(layout.lastTop(1000), (RowPlace{}));
}

QTEST_MAIN(TextPaneTest)
#include "textpane_test.moc"
