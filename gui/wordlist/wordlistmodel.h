// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/wordlist.h"

#include <QAbstractTableModel>

#include <memory>

namespace lexalon {

class TextStudy;

// The word list of a study as a table: the forms, drawn in the heading's
// style and never selectable, and their counts, under a bold heading.
// Read-only.
class WordListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int formColumn = 0;
    static constexpr int countColumn = 1;

    explicit WordListModel(std::shared_ptr<TextStudy> study, QObject *parent = nullptr);

    const WordList &list() const;
    // The rows change places; the current cell and the selection stay where
    // they are on screen.
    void sort(WordList::Order order);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    std::shared_ptr<TextStudy> m_study;
};

} // namespace lexalon
