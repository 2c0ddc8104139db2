#include "wordforms/textorder.h"

#include <QLocale>

namespace lexalon {

TextOrder::TextOrder()
    : m_collator(QLocale(QLocale::French, QLocale::France))
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
}

int TextOrder::compare(QStringView a, QStringView b) const
{
    const int byCollation = m_collator.compare(a, b);
    if (byCollation != 0)
        return byCollation < 0 ? -1 : 1;
    const int byCodeUnits = a.compare(b);
    return byCodeUnits < 0 ? -1 : (byCodeUnits > 0 ? 1 : 0);
}

QCollatorSortKey TextOrder::sortKey(const QString &text) const
{
    return m_collator.sortKey(text);
}

} // namespace lexalon
