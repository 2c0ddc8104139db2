// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/letters.h"

#include <QString>
#include <QtGlobal>

#include <map>
#include <numeric>
#include <string>
#include <utility>

namespace lexalon::testing {

// Forms and their attestations counted the plain way: runs of letters, folded to lower case.
using FormCounts = std::map<std::u16string, qint64>;

inline FormCounts countFormsPlainly(QStringView text)
{
    FormCounts counts;
    std::u16string form;
    for (const QChar ch : text.toString() + u' ') {
        if (isLetter(ch.unicode()))
            form.push_back(foldLetter(ch.unicode()));
        else if (!form.empty())
            ++counts[std::exchange(form, {})];
    }
    return counts;
}

inline qint64 totalOf(const FormCounts &counts)
{
    return std::accumulate(counts.begin(), counts.end(), qint64(0), [](qint64 t, const auto &c) { return t + c.second; });
}

} // namespace lexalon::testing
