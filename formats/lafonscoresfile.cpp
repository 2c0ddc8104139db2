// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/lafonscoresfile.h"

#include "formats/wordlistfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/lafonscores.h"
#include "wordforms/wordlist.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <algorithm>
#include <array>
#include <charconv>

namespace lexalon {
namespace {

constexpr int scoreDecimals = 4;

// A count or a score as the file writes it: ASCII, which both encodings
// write alike, made without a string for each of millions of cells.
class Figure
{
public:
    explicit Figure(qint64 count)
        : m_end(std::to_chars(m_characters.begin(), m_characters.end(), count).ptr)
    {
    }
    explicit Figure(double score)
        : m_end(std::to_chars(m_characters.begin(), m_characters.end(), score, std::chars_format::fixed, scoreDecimals).ptr)
    {
        std::replace(m_characters.begin(), m_end, '.', ',');
    }

    QByteArrayView bytes() const { return QByteArrayView(m_characters.data(), m_end - m_characters.data()); }

private:
    // A score is below log10 T! for a corpus of T forms: some twenty digits.
    std::array<char, 64> m_characters;
    char *m_end;
};

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

bool writeLafonScores(const LafonScores &s, const WordList &list, const QStringList &partNames,
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
            if (!writer.addField(Figure(s.count(row, part)).bytes()) || !writer.addField(Figure(s.score(row, part)).bytes()))
                return false;
        }
        if (!writer.endRow())
            return false;
    }
    return writer.flush();
}

} // namespace lexalon
