#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QString>
#include <QStringView>

namespace lexalon {

// The French dictionary order of the word list (accented letters beside their
// base letters, œ beside oe), made total: texts the collator calls equal are
// ordered by their UTF-16 code units.
class TextOrder
{
public:
    TextOrder();

    int compare(QStringView a, QStringView b) const;
    // Keys whose comparison is the collator's; ties still need the code units.
    QCollatorSortKey sortKey(const QString &text) const;

private:
    QCollator m_collator;
};

} // namespace lexalon
