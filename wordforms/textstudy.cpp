// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/textstudy.h"

#include <utility>

namespace lexalon {

TextStudy::TextStudy(QString text, TaskProgress *progress)
    : m_text(std::move(text))
    , m_forms(analyseTextWithTokens(m_text, progress))
{
}

TextStudy::TextStudy(TextAnalysis forms)
    : m_forms(std::move(forms))
{
}

qsizetype TextStudy::rowOf(QStringView form) const
{
    return m_forms.list.rowOf(listedForm(form));
}

Concordance TextStudy::concordance(qsizetype row, TaskProgress *progress) const
{
    return concordanceOfRank(m_forms.list.rank(row), progress);
}

Concordance TextStudy::concordance(QStringView form, TaskProgress *progress) const
{
    const qsizetype row = rowOf(form);
    // A form the text does not hold takes a rank no token has.
    return concordanceOfRank(row >= 0 ? m_forms.list.rank(row) : TextTokens::Rank(m_forms.list.size()), progress);
}

Concordance TextStudy::concordance(std::span<const TextTokens::Rank> ranks, TaskProgress *progress) const
{
    return Concordance(m_text, m_forms.tokens, ranks, progress);
}

Concordance TextStudy::concordanceOfRank(TextTokens::Rank rank, TaskProgress *progress) const
{
    return Concordance(m_text, m_forms.tokens, rank, progress);
}

LexicalStatistics TextStudy::statistics(TaskProgress *progress) const
{
    return LexicalStatistics(m_forms.list, m_forms.tokens, progress);
}

} // namespace lexalon
