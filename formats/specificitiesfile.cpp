// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/specificitiesfile.h"

#include "formats/wordlistfile.h"
#include "text/windows1252.h"
#include "wordforms/specificities.h"
#include "wordforms/wordlist.h"

#include <QIODevice>
#include <QString>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr int scoreDecimals = 4;

QString scoreText(double score)
{
    return QString::number(score, 'f', scoreDecimals).replace(u'.', u',');
}

bool writeHeading(PieceWriter &writer, const QStringList &partNames)
{
    if (!writer.startRow(u"Forme", u"Total"))
        return false;
    for (const QString &name : partNames) {
        if (!writer.addName(name) || !writer.addName(name, u" (spécificité)"))
            return false;
    }
    return writer.endRow();
}

} // namespace

bool writeSpecificities(const Specificities &s, const WordList &list, const QStringList &partNames,
                        std::span<const std::uint32_t> rows, QIODevice &device)
{
    const bool formsFit = std::all_of(rows.begin(), rows.end(),
                                      [&list](std::uint32_t row) { return fitsWindows1252(list.form(row)); });
    PieceWriter writer(device, !formsFit || namesNeedUtf8(partNames));
    if (!writeHeading(writer, partNames))
        return false;
    for (const std::uint32_t row : rows) {
        if (!writer.startRow(list.form(row), QString::number(s.corpusCount(row))))
            return false;
        for (qsizetype part = 0; part < s.parts(); ++part) {
            if (!writer.addField(QString::number(s.count(row, part))) || !writer.addField(scoreText(s.score(row, part))))
                return false;
        }
        if (!writer.endRow())
            return false;
    }
    return writer.flush();
}

} // namespace lexalon
