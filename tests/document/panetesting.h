#pragma once

#include "document/lineindex.h"
#include "document/rowindex.h"

#include <ostream>

namespace lexalon {

// How GoogleTest shows ranges and row places in its failure messages.
inline void PrintTo(const TextRange &range, std::ostream *out)
{
    *out << '[' << range.begin << ", " << range.end << ')';
}

inline void PrintTo(const RowPlace &place, std::ostream *out)
{
    *out << "paragraph " << place.paragraph << " row " << place.row;
}

} // namespace lexalon
