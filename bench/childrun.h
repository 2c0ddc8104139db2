// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace lexalon::bench {

struct ChildRun
{
    bool ok = false;
    double seconds = 0;
    double peakBytes = 0;
};

// Runs a program under /usr/bin/time with its output thrown away: its wall
// time and peak resident memory. The child is started by time, not by this
// process: a process started straight from here would count the memory this
// one holds.
ChildRun runChild(const std::vector<std::string> &command);

} // namespace lexalon::bench
