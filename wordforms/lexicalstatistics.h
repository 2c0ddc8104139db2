// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/texttokens.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace lexalon {

class TaskProgress;
class WordList;

// The measures' columns, as their window and their file title them.
inline constexpr QStringView measureColumns[] = {u"Mesure", u"Valeur"};

// One measure of the vocabulary, as the window shows it and the file holds
// it: its name, its value written the French way, and what it says.
struct Measure
{
    QString name;
    QString value;
    QString explanation;
};

// The standard measures of a text's vocabulary and the data of its three
// curves, from its word list and its tokens in text order: one pass over the
// list's rows and one over the tokens.
class LexicalStatistics
{
public:
    // Consecutive slices of this many tokens make the standardised ratio.
    static constexpr qint64 sliceTokens = 1000;
    // The growth curve and the rank curve have at most this many points.
    static constexpr qsizetype curvePoints = 2000;
    // The frequency spectrum counts forms attested 1 to 10 times, then more.
    static constexpr int spectrumBins = 11;

    struct RankPoint
    {
        qint64 rank; // from 1, the most frequent first
        qint64 count;
        QString form;
    };
    struct GrowthPoint
    {
        qint64 tokens;
        qint64 types;
    };

    // With a progress, reports the rows and tokens read and throws
    // TaskCancelled when asked to stop.
    LexicalStatistics(const WordList &list, const TextTokens &tokens, TaskProgress *progress = nullptr);

    qint64 tokens() const { return m_tokens; }
    qint64 types() const { return m_types; }
    std::optional<double> typeTokenRatio() const;
    // The mean of the ratio over the whole slices; none under one slice.
    std::optional<double> standardisedRatio() const;
    qint64 hapaxes() const { return m_spectrum[0]; }
    qint64 formsAttestedTwice() const { return m_spectrum[1]; }
    qint64 highestCount() const { return m_ranks.empty() ? 0 : m_ranks.front().count; }
    QString mostFrequentForm() const { return m_ranks.empty() ? QString() : m_ranks.front().form; }
    std::optional<double> meanCount() const;
    std::optional<double> meanTokenLength() const;
    std::optional<double> meanTypeLength() const;
    std::optional<double> guiraudIndex() const;

    // Ranks 1 to 1,000 each, then ranks at equal steps on a logarithmic
    // scale up to the last.
    const std::vector<RankPoint> &rankCurve() const { return m_ranks; }
    // The least-squares slope of log count on log rank over every rank.
    std::optional<double> zipfSlope() const { return m_zipfSlope; }
    // Different forms seen after each step of the text, at equal steps.
    const std::vector<GrowthPoint> &growthCurve() const { return m_growth; }
    // Forms attested once, twice, ... ten times, then more than ten.
    const std::array<qint64, spectrumBins> &spectrum() const { return m_spectrum; }

    // Every measure, in the order shown and saved.
    std::vector<Measure> measures() const;

private:
    void readList(const WordList &list, TaskProgress *progress);
    void readTokens(const TextTokens &tokens, TaskProgress *progress);

    qint64 m_tokens = 0;
    qint64 m_types = 0;
    qint64 m_letters = 0;     // of all the tokens
    qint64 m_typeLetters = 0; // of the different forms
    std::optional<double> m_standardisedRatio;
    std::optional<double> m_zipfSlope;
    std::vector<RankPoint> m_ranks;
    std::vector<GrowthPoint> m_growth;
    std::array<qint64, spectrumBins> m_spectrum{};
};

// A logarithmic axis over values from lowest to highest: those values, or
// the decade that holds them when they are one value (every form seen as
// often), so that the curve and its axis still show. Values under 1 count as 1.
std::pair<double, double> logarithmicAxis(qint64 lowest, qint64 highest);

} // namespace lexalon
