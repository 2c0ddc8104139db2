// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/figures.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr qsizetype groupSize = 3;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString groupedFigure(qint64 value)
{
    return groupedDigits(QString::number(value));
}

QString groupedDigits(QStringView plain)
{
    const qsizetype sign = plain.startsWith(u'-') ? 1 : 0;
    const qsizetype comma = plain.indexOf(u',');
    const qsizetype wholeEnd = comma < 0 ? plain.size() : comma;
    const auto digits = [](QStringView part) { return std::all_of(part.begin(), part.end(), isDigit); };
    if (wholeEnd == sign || !digits(plain.sliced(sign, wholeEnd - sign)) || !digits(plain.sliced(wholeEnd).mid(1)))
        return plain.toString();
    QString grouped = plain.first(sign).toString();
    for (qsizetype at = sign; at < wholeEnd; ++at) {
        if (at > sign && (wholeEnd - at) % groupSize == 0)
            grouped += QChar(thousandsSeparator);
        grouped += plain[at];
    }
    grouped += plain.sliced(wholeEnd);
    return grouped;
}

QString countOf(qint64 value, QStringView singular, QStringView plural)
{
    QString shown = groupedFigure(value) + u' ';
    shown += agreeing(value, singular, plural);
    return shown;
}

QStringView agreeing(qint64 value, QStringView singular, QStringView plural)
{
    return value > -2 && value < 2 ? singular : plural;
}

QString decimalFigure(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

QString percentage(qint64 part, qint64 whole)
{
    const QString percent = QChar(thousandsSeparator) + u"%"_s;
    if (part <= 0 || whole <= 0)
        return u'0' + percent;
    const qint64 rounded = (part * 100 + whole / 2) / whole;
    if (part < whole && rounded == 0)
        return u'<' + QChar(thousandsSeparator) + u'1' + percent;
    if (part < whole && rounded == 100)
        return u'>' + QChar(thousandsSeparator) + u"99"_s + percent;
    return QString::number(rounded) + percent;
}

QString shownForm(QStringView form, qsizetype longest)
{
    return form.size() <= longest ? form.toString() : form.first(longest).toString() + u'\u2026';
}

} // namespace lexalon
