#pragma once

#include "wordforms/wordlist.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace lexalon {

// Word lists added up: each form's counts summed, column by column. The
// French order is total and strict, so the sum of the lists of several texts
// is the list of the texts put end to end, whatever order they come in.
class WordListSum
{
public:
    // A new count column; its number.
    qsizetype addColumn(const QString &name);
    // A form, lower-cased, counted `count` more times in the column.
    void add(QStringView form, qint64 count, qsizetype column);
    // Every row of the list into the column, or into its own columns, which
    // are added after the others, when it has some.
    void add(const WordList &list, const QString &name);

    qsizetype forms() const { return qsizetype(m_forms.size()); }

    // The sum in alphabetical order; each form's count in each column kept
    // beside its total when asked.
    WordList take(bool withColumns);

private:
    struct ColumnCount
    {
        std::uint32_t form;
        std::uint32_t column;
        qint64 count;
    };

    QHash<QString, std::uint32_t> m_formNumbers;
    std::vector<QString> m_forms;
    std::vector<qint64> m_totals;
    QStringList m_columnNames;
    std::vector<ColumnCount> m_columnCounts;
};

} // namespace lexalon
