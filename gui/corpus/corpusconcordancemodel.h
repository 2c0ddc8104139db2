// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/corpusconcordance.h"

#include <QAbstractTableModel>

namespace lexalon {

// A concordance across texts as a table: the attestation's number, the text
// when there are several, and the line, which a delegate draws as one line
// centred on the form. Lines are made for the rows drawn only.
class CorpusConcordanceModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int numberColumn = 0;

    explicit CorpusConcordanceModel(CorpusConcordance concordance, QObject *parent = nullptr);

    const CorpusConcordance &concordance() const { return m_concordance; }
    int lineColumn() const { return m_concordance.severalTexts() ? 2 : 1; }
    int words() const { return m_words; }
    void setWords(int words);
    // The rows change places, as the view's current row must then.
    void arrange(CorpusConcordance::Arrangement rows);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ConcordanceLine &lineOf(int row) const;

    CorpusConcordance m_concordance;
    int m_words = Concordance::defaultWords;
    // The view asks for each cell's roles in turn: the line is made once.
    mutable int m_cachedRow = -1;
    mutable ConcordanceLine m_cachedLine;
};

} // namespace lexalon
