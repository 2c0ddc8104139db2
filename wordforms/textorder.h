#pragma once

#include <QByteArray>
#include <QCollator>
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
    // Byte strings whose memcmp order is the collator's order.
    QByteArray sortKey(const QString &text) const;

private:
    QCollator m_collator;
};

} // namespace lexalon
