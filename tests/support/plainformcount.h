#pragma once

#include "wordforms/letters.h"

#include <QStringView>
#include <QtGlobal>

#include <map>
#include <string>
#include <utility>

namespace lexalon::testing {

// The forms of a text with their numbers of attestations, counted the plain
// way: runs of letters, each letter folded to lower case.
using FormCounts = std::map<std::u16string, qint64>;

inline FormCounts countFormsPlainly(QStringView text)
{
    FormCounts counts;
    std::u16string form;
    for (const QChar ch : text) {
        if (isLetter(ch.unicode()))
            form.push_back(foldLetter(ch.unicode()));
        else if (!form.empty())
            ++counts[std::exchange(form, {})];
    }
    if (!form.empty())
        ++counts[form];
    return counts;
}

inline qint64 totalOf(const FormCounts &counts)
{
    qint64 total = 0;
    for (const auto &[form, count] : counts)
        total += count;
    return total;
}

} // namespace lexalon::testing
