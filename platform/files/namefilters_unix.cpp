// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/namefilters.h"

#include <QRegularExpression>
#include <QString>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// File names are case-sensitive here, but "*.TXT" must offer notes.txt too:
// each letter becomes the set of its two cases, "*.[tT][xX][tT]".
QString anyCase(QStringView patterns)
{
    QString result;
    for (const QChar c : patterns) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower == upper) {
            result.append(c);
        } else {
            result.append(u'[');
            result.append(lower);
            result.append(upper);
            result.append(u']');
        }
    }
    return result;
}

} // namespace

QStringList platformNameFilters(const QStringList &nameFilters)
{
    // Only the patterns, in the last parentheses, change; the description stays.
    static const QRegularExpression lastParentheses(u"^(.*\\()([^()]*)\\)$"_s);
    QStringList filters = nameFilters;
    for (QString &nameFilter : filters) {
        const QRegularExpressionMatch match = lastParentheses.match(nameFilter);
        if (match.hasMatch())
            nameFilter = match.captured(1) + anyCase(match.capturedView(2)) + u')';
    }
    return filters;
}

} // namespace lexalon
