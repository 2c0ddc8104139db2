// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/lexicalstatistics.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/figures.h"
#include "wordforms/wordlist.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// Ranks shown one by one before the curve's logarithmic steps.
constexpr qint64 everyRankUpTo = 1000;
constexpr std::uint32_t noSlice = ~std::uint32_t(0);
// Rows or tokens read between two reports of progress: some milliseconds.
constexpr qint64 itemsPerReport = qint64(1) << 20;

constexpr auto unavailable = u"—";

QString decimal(std::optional<double> value, int decimals)
{
    if (!value)
        return QString::fromUtf16(unavailable);
    return decimalFigure(*value, decimals);
}

std::optional<double> ratio(double numerator, double denominator)
{
    if (denominator <= 0)
        return std::nullopt;
    return numerator / denominator;
}

} // namespace

LexicalStatistics::LexicalStatistics(const WordList &list, const TextTokens &tokens, TaskProgress *progress)
{
    if (progress)
        progress->setTotal(list.size() + tokens.size());
    readList(list, progress);
    readTokens(tokens, progress);
}

// The rows in decreasing frequency, ties in alphabetical order: in either
// order of the list, the rows of equal counts stand in alphabetical order.
void LexicalStatistics::readList(const WordList &list, TaskProgress *progress)
{
    m_types = list.size();
    m_tokens = list.totalCount();
    std::vector<std::uint64_t> keys(size_t(list.size()));
    for (qsizetype row = 0; row < list.size(); ++row) {
        if (progress && row % itemsPerReport == 0)
            progress->advance(row);
        const qint64 count = list.count(row);
        keys[size_t(row)] = std::uint64_t(~std::uint32_t(count)) << 32 | std::uint32_t(row);
        m_letters += count * list.form(row).size();
        m_typeLetters += list.form(row).size();
        ++m_spectrum[size_t(std::min<qint64>(count, spectrumBins) - 1)];
    }
    std::sort(keys.begin(), keys.end());

    double sumX = 0, sumY = 0, sumXY = 0, sumXX = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        const double x = std::log(double(i + 1));
        const double y = std::log(double(~std::uint32_t(keys[i] >> 32)));
        sumX += x;
        sumY += y;
        sumXY += x * y;
        sumXX += x * x;
    }
    const double n = double(keys.size());
    const double spread = n * sumXX - sumX * sumX;
    if (keys.size() >= 2 && spread > 0)
        m_zipfSlope = (n * sumXY - sumX * sumY) / spread;

    const auto addRank = [&](qint64 rank) {
        const auto row = qsizetype(std::uint32_t(keys[size_t(rank - 1)]));
        m_ranks.push_back({rank, list.count(row), list.form(row).toString()});
    };
    const qint64 last = qint64(keys.size());
    for (qint64 rank = 1; rank <= std::min(last, everyRankUpTo); ++rank)
        addRank(rank);
    // Equal steps on a logarithmic scale, each at least one rank further.
    const qint64 steps = curvePoints - everyRankUpTo;
    for (qint64 step = 1; step <= steps && !m_ranks.empty() && m_ranks.back().rank < last; ++step) {
        const double share = double(step) / double(steps);
        const auto logStep = qint64(std::llround(double(everyRankUpTo) * std::pow(double(last) / double(everyRankUpTo), share)));
        addRank(std::max(m_ranks.back().rank + 1, std::min(last, logStep)));
    }
}

// The different forms seen so far, and those of the current slice: a form
// is new to the slice when it was last seen in an earlier one.
void LexicalStatistics::readTokens(const TextTokens &tokens, TaskProgress *progress)
{
    const qint64 size = tokens.size();
    const qint64 step = std::max<qint64>(1, (size + curvePoints - 1) / curvePoints);
    std::vector<std::uint32_t> lastSlice(size_t(m_types), noSlice);
    qint64 seen = 0;
    qint64 inSlice = 0;
    double sliceRatios = 0;
    qint64 slices = 0;
    for (qint64 token = 0; token < size; ++token) {
        if (progress && token % itemsPerReport == 0)
            progress->advance(m_types + token);
        const TextTokens::Rank rank = tokens.rank(token);
        const auto slice = std::uint32_t(token / sliceTokens);
        seen += lastSlice[rank] == noSlice;
        inSlice += lastSlice[rank] != slice;
        lastSlice[rank] = slice;
        if ((token + 1) % sliceTokens == 0) {
            sliceRatios += double(inSlice) / double(sliceTokens);
            ++slices;
            inSlice = 0;
        }
        if ((token + 1) % step == 0 || token + 1 == size)
            m_growth.push_back({token + 1, seen});
    }
    if (slices > 0)
        m_standardisedRatio = sliceRatios / double(slices);
}

std::optional<double> LexicalStatistics::typeTokenRatio() const
{
    return ratio(double(m_types), double(m_tokens));
}

std::optional<double> LexicalStatistics::standardisedRatio() const
{
    return m_standardisedRatio;
}

std::optional<double> LexicalStatistics::meanCount() const
{
    return ratio(double(m_tokens), double(m_types));
}

std::optional<double> LexicalStatistics::meanTokenLength() const
{
    return ratio(double(m_letters), double(m_tokens));
}

std::optional<double> LexicalStatistics::meanTypeLength() const
{
    return ratio(double(m_typeLetters), double(m_types));
}

std::optional<double> LexicalStatistics::guiraudIndex() const
{
    return ratio(double(m_types), std::sqrt(double(m_tokens)));
}

std::vector<Measure> LexicalStatistics::measures() const
{
    const QString mostFrequent = m_ranks.empty() ? QString::fromUtf16(unavailable) : mostFrequentForm();
    return {
        {u"Nombre total de formes"_s, QString::number(m_tokens),
         u"Toutes les formes du texte, chaque attestation comptée (tokens)."_s},
        {u"Nombre de formes différentes"_s, QString::number(m_types), u"Les formes distinctes du texte (types)."_s},
        {u"Rapport formes différentes / total"_s, decimal(typeTokenRatio(), 4),
         u"Formes différentes divisées par le total ; il baisse à mesure que le texte s'allonge."_s},
        {u"Rapport standardisé (tranches de 1 000 formes)"_s, decimal(m_standardisedRatio, 4),
         u"Moyenne du rapport formes différentes / total sur les tranches successives de 1 000 formes : "
         u"comparable d'un texte à l'autre, quelle que soit leur longueur."_s},
        {u"Hapax"_s, QString::number(hapaxes()), u"Formes attestées une seule fois."_s},
        {u"Part des hapax dans les formes différentes"_s, decimal(ratio(double(hapaxes()), double(m_types)), 4),
         u"Hapax divisés par le nombre de formes différentes."_s},
        {u"Formes attestées deux fois"_s, QString::number(formsAttestedTwice()),
         u"Formes attestées exactement deux fois."_s},
        {u"Fréquence maximale"_s, QString::number(highestCount()),
         u"Nombre d'attestations de la forme la plus fréquente."_s},
        {u"Forme la plus fréquente"_s, mostFrequent,
         u"La forme de fréquence maximale, la première dans l'ordre alphabétique à égalité."_s},
        {u"Fréquence moyenne"_s, decimal(meanCount(), 2),
         u"Nombre moyen d'attestations d'une forme différente : le total divisé par les formes différentes."_s},
        {u"Longueur moyenne des formes"_s, decimal(meanTokenLength(), 2),
         u"Nombre moyen de lettres d'une forme, chaque attestation comptée."_s},
        {u"Longueur moyenne des formes différentes"_s, decimal(meanTypeLength(), 2),
         u"Nombre moyen de lettres d'une forme différente."_s},
        {u"Index de Guiraud"_s, decimal(guiraudIndex(), 4),
         u"Formes différentes divisées par la racine carrée du total : la richesse du vocabulaire, "
         u"moins dépendante de la longueur du texte."_s},
    };
}

std::pair<double, double> logarithmicAxis(qint64 lowest, qint64 highest)
{
    lowest = std::max<qint64>(lowest, 1);
    highest = std::max(highest, lowest);
    if (lowest < highest)
        return {double(lowest), double(highest)};
    qint64 decade = 1;
    while (decade <= lowest / 10)
        decade *= 10;
    return {double(decade), double(decade) * 10};
}

} // namespace lexalon
