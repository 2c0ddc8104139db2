// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

namespace lexalon {

class Corpus;

// The corpus's texts: the whole corpus first, then each text with its
// number of forms and of different forms.
class CorpusTextsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int wholeCorpusRow = 0;

    explicit CorpusTextsModel(const Corpus &corpus, QObject *parent = nullptr);

    // The text of a row, or -1 for the whole corpus.
    static qsizetype textOfRow(int row) { return row - 1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Corpus &m_corpus;
};

} // namespace lexalon
