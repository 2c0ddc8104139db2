// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/concordance.h"

#include <QColor>
#include <QHash>
#include <QStyledItemDelegate>

namespace lexalon {

// The colours that mark words in a concordance's row on a ground: the form's
// and the two sort words', each reading on that ground at 4.5:1 at least.
struct ConcordanceInks
{
    QColor form;
    QColor firstSortWord;
    QColor secondSortWord;
};
ConcordanceInks concordanceInksOn(const QColor &ground);

// Draws a concordance's row in one column as one line: the left context
// ending at the middle, the form centred, bold and coloured, the right
// context after it; the words the two sort keys read in colours of their
// own, underlined. Contexts too long for their half are cut at their far
// end. The selection is drawn as the style draws it.
class ConcordanceLineDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // What the model gives, as strings, for each row's cell: a line's
    // contexts and form as ConcordanceLine holds them.
    enum Role { LeftRole = Qt::UserRole + 1, FormRole, RightRole };

    explicit ConcordanceLineDelegate(QObject *parent = nullptr);

    // The keys the rows are sorted by, Order::Text for none; the view this
    // delegate is a child of is drawn again.
    void setSortKeys(Concordance::Order first, Concordance::Order second);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const ConcordanceInks &inksOn(const QColor &ground) const;

    Concordance::Order m_first = Concordance::Order::Text;
    Concordance::Order m_second = Concordance::Order::Text;
    // One set a ground: a view has few of them.
    mutable QHash<QRgb, ConcordanceInks> m_inks;
};

} // namespace lexalon
