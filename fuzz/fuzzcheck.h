// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

namespace lexalon::fuzz {

// Ends the run at a broken invariant: libFuzzer keeps the input that broke it.
inline void require(bool holds, const char *invariant)
{
    if (holds)
        return;
    std::fprintf(stderr, "Invariant broken: %s\n", invariant);
    std::abort();
}

} // namespace lexalon::fuzz
