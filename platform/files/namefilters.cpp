// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/namefilters.h"

using namespace Qt::StringLiterals;

namespace lexalon {

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        filters.append(parts.at(i) + u" ("_s + patterns + u')');
    }
    return filters;
}

} // namespace lexalon
