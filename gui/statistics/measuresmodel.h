// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/lexicalstatistics.h"

#include <QAbstractTableModel>

#include <vector>

namespace lexalon {

// The measures as a table of two columns, each explained in its tooltip;
// figures grouped by thousands, as the file does not.
class MeasuresModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit MeasuresModel(std::vector<Measure> measures, QObject *parent = nullptr);

    const std::vector<Measure> &measures() const { return m_measures; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<Measure> m_measures;
};

} // namespace lexalon
