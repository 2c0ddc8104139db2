// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/concordance.h"

#include <QAbstractTableModel>

namespace lexalon {

// A concordance as a table: the attestation's number, its left context, the
// form and its right context. Contexts are made for the rows drawn only.
class ConcordanceModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int numberColumn = 0;
    static constexpr int leftColumn = 1;
    static constexpr int formColumn = 2;
    static constexpr int rightColumn = 3;

    ConcordanceModel(Concordance concordance, QObject *parent = nullptr);

    const Concordance &concordance() const { return m_concordance; }
    int words() const { return m_words; }
    void setWords(int words);
    // The rows change places, as the view's current row must then.
    void arrange(Concordance::Arrangement rows);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const ConcordanceLine &lineOf(int row) const;
    void allChanged();

    Concordance m_concordance;
    int m_words = Concordance::defaultWords;
    // The view asks for each cell's roles in turn: the line is made once.
    mutable int m_cachedRow = -1;
    mutable ConcordanceLine m_cachedLine;
};

} // namespace lexalon
