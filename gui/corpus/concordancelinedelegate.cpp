// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/concordancelinedelegate.h"

#include "gui/look/windowlook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QStyle>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace lexalon {

namespace {

// The hues the inks start from, as they read on white.
constexpr QColor formHue{192, 0, 0};
constexpr QColor firstSortHue{0, 0, 192};
constexpr QColor secondSortHue{0, 128, 0};

constexpr char16_t ellipsis = u'\u2026';

// A context as the row shows it: its string, cut if need be, and where the
// part of the context it keeps stands in it.
struct ShownContext
{
    QString text;
    qsizetype keptBegin = 0; // in the context
    qsizetype keptEnd = 0;
    qsizetype keptAt = 0;    // in the string shown

    // A span of the context in the string shown; empty when cut away.
    TextSpan shownSpan(TextSpan span) const
    {
        const qsizetype begin = std::max(span.begin, keptBegin);
        const qsizetype end = std::min(span.end, keptEnd);
        return begin < end ? TextSpan{begin - keptBegin + keptAt, end - keptBegin + keptAt} : TextSpan{};
    }
};

// Qt's ellipsis is one character, or three dots where the font lacks it.
ShownContext shownContext(const QString &context, const QFontMetricsF &metrics, qreal width, Qt::TextElideMode cut)
{
    const QString text = metrics.elidedText(context, cut, width);
    if (text == context)
        return {text, 0, context.size(), 0};
    const bool atStart = cut == Qt::ElideLeft;
    const qsizetype mark = (atStart ? text.startsWith(ellipsis) : text.endsWith(ellipsis)) ? 1 : 3;
    const qsizetype kept = std::max<qsizetype>(0, text.size() - mark);
    return atStart ? ShownContext{text, context.size() - kept, context.size(), text.size() - kept}
                   : ShownContext{text, 0, kept, 0};
}

// Consecutive characters of a context drawn in one ink.
struct Piece
{
    qsizetype begin;
    qsizetype end;
    QColor ink;
    bool sortWord = false;
    qreal width = 0;
};
// At most two sort words and what lies around them: nothing on the heap.
using Pieces = QVarLengthArray<Piece, 5>;

// A sort word of a context as shown, and its ink.
struct Mark
{
    TextSpan span;
    QColor ink;
};

// A sort key and the ink of the word it reads.
struct SortKey
{
    Concordance::Order order;
    QColor ink;
};

// The words of the shown context that the keys read on its side.
std::array<Mark, 2> marksIn(const QString &context, const ShownContext &shown, bool leftSide,
                            const std::array<SortKey, 2> &keys)
{
    std::array<Mark, 2> marks;
    for (size_t key = 0; key < keys.size(); ++key) {
        if (sortsByLeftContext(keys[key].order) == leftSide)
            marks[key] = {shown.shownSpan(sortWordIn(context, keys[key].order)), keys[key].ink};
    }
    return marks;
}

QString pieceText(const QString &text, const Piece &piece)
{
    return QString::fromRawData(text.constData() + piece.begin, piece.end - piece.begin);
}

// The context in pieces: its sort words in their inks, the rest in `ink`.
// When both keys read the same word, the first key's ink is kept.
Pieces piecesOf(const QString &text, std::array<Mark, 2> marks, const QColor &ink, const QFontMetricsF &metrics)
{
    if (marks[0].span.begin < marks[0].span.end && marks[1].span.begin == marks[0].span.begin)
        marks[1].span = {};
    if (marks[1].span.begin < marks[0].span.begin)
        std::swap(marks[0], marks[1]);
    Pieces pieces;
    qsizetype at = 0;
    for (const Mark &mark : marks) {
        if (mark.span.begin == mark.span.end)
            continue;
        pieces.append({at, mark.span.begin, ink});
        pieces.append({mark.span.begin, mark.span.end, mark.ink, true});
        at = mark.span.end;
    }
    pieces.append({at, text.size(), ink});
    for (Piece &piece : pieces)
        piece.width = metrics.horizontalAdvance(pieceText(text, piece));
    return pieces;
}

qreal widthOf(const Pieces &pieces)
{
    qreal width = 0;
    for (const Piece &piece : pieces)
        width += piece.width;
    return width;
}

// Sort words are underlined too: on the highlight, where every ink must
// be pale, and for eyes that tell the inks apart badly.
void drawPieces(QPainter *painter, QPointF at, const QString &text, const Pieces &pieces,
                const QFontMetricsF &metrics)
{
    for (const Piece &piece : pieces) {
        if (piece.begin == piece.end)
            continue;
        painter->setPen(piece.ink);
        painter->drawText(at, pieceText(text, piece));
        if (piece.sortWord) {
            const qreal underline = at.y() + metrics.underlinePos();
            painter->setPen(QPen(piece.ink, metrics.lineWidth()));
            painter->drawLine(QPointF(at.x(), underline), QPointF(at.x() + piece.width, underline));
        }
        at.rx() += piece.width;
    }
}

QPalette::ColorGroup colourGroup(QStyle::State state)
{
    if (!state.testFlag(QStyle::State_Enabled))
        return QPalette::Disabled;
    return state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

// What the row is painted on: the highlight, the model's background or the
// view's base.
QColor groundOf(const QStyleOptionViewItem &item)
{
    const QPalette::ColorGroup group = colourGroup(item.state);
    if (item.state.testFlag(QStyle::State_Selected))
        return item.palette.color(group, QPalette::Highlight);
    if (item.backgroundBrush.style() != Qt::NoBrush)
        return item.backgroundBrush.color();
    return item.palette.color(group, item.features.testFlag(QStyleOptionViewItem::Alternate) ? QPalette::AlternateBase
                                                                                              : QPalette::Base);
}

const QStyle *styleOf(const QStyleOptionViewItem &item)
{
    return item.widget ? item.widget->style() : QApplication::style();
}

// The room either side of the text, as the style leaves it.
int textMargin(const QStyleOptionViewItem &item)
{
    return styleOf(item)->pixelMetric(QStyle::PM_FocusFrameHMargin, &item, item.widget) + 1;
}

QFont boldOf(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

ConcordanceInks concordanceInksOn(const QColor &ground)
{
    return {readableAgainst(formHue, ground), readableAgainst(firstSortHue, ground),
            readableAgainst(secondSortHue, ground)};
}

ConcordanceLineDelegate::ConcordanceLineDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void ConcordanceLineDelegate::setSortKeys(Concordance::Order first, Concordance::Order second)
{
    m_first = first;
    m_second = second;
    if (auto *view = qobject_cast<QAbstractItemView *>(parent()))
        view->viewport()->update();
}

const ConcordanceInks &ConcordanceLineDelegate::inksOn(const QColor &ground) const
{
    auto found = m_inks.find(ground.rgba());
    if (found == m_inks.end())
        found = m_inks.insert(ground.rgba(), concordanceInksOn(ground));
    return *found;
}

void ConcordanceLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // The style draws the ground, the selection and the focus; the line is drawn here.
    item.text.clear();
    const QStyle *style = styleOf(item);
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const int margin = textMargin(item);
    const QRectF room = QRectF(style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget))
                            .adjusted(margin, 0, -margin, 0);
    const QString left = index.data(LeftRole).toString();
    const QString form = index.data(FormRole).toString();
    const QString right = index.data(RightRole).toString();
    const QFont strong = boldOf(item.font);
    const QFontMetricsF plain(item.font);
    const qreal formWidth = QFontMetricsF(strong).horizontalAdvance(form);
    const qreal formLeft = room.center().x() - formWidth / 2;
    const qreal baseline = room.top() + (room.height() - plain.height()) / 2 + plain.ascent();

    const ConcordanceInks &inks = inksOn(groundOf(item));
    const QColor text =
        item.palette.color(colourGroup(item.state),
                           item.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text);
    const std::array keys{SortKey{m_first, inks.firstSortWord}, SortKey{m_second, inks.secondSortWord}};
    const ShownContext shownLeft = shownContext(left, plain, formLeft - room.left(), Qt::ElideLeft);
    const Pieces leftPieces = piecesOf(shownLeft.text, marksIn(left, shownLeft, true, keys), text, plain);
    const ShownContext shownRight = shownContext(right, plain, room.right() - formLeft - formWidth, Qt::ElideRight);
    const Pieces rightPieces = piecesOf(shownRight.text, marksIn(right, shownRight, false, keys), text, plain);

    painter->save();
    painter->setClipRect(room, Qt::IntersectClip);
    painter->setFont(item.font);
    drawPieces(painter, QPointF(formLeft - widthOf(leftPieces), baseline), shownLeft.text, leftPieces, plain);
    drawPieces(painter, QPointF(formLeft + formWidth, baseline), shownRight.text, rightPieces, plain);
    painter->setFont(strong);
    painter->setPen(inks.form);
    painter->drawText(QPointF(formLeft, baseline), form);
    painter->restore();
}

// The form whole; the contexts take the width the view gives, cut to fit,
// so that a long context never makes the view scroll sideways.
QSize ConcordanceLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QFontMetricsF plain(item.font);
    const QFontMetricsF bold(boldOf(item.font));
    const qreal width = bold.horizontalAdvance(index.data(FormRole).toString()) + 2 * textMargin(item);
    return QSize(int(std::ceil(width)), int(std::ceil(std::max(plain.height(), bold.height()))) + 2);
}

} // namespace lexalon
