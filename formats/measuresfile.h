// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/lexicalstatistics.h"

#include <vector>

class QIODevice;

namespace lexalon {

// The saved measures: the heading line, then one line per measure, its name,
// tab, its value, CR LF, in Windows-1252 like the word list. False when the
// write fails.
bool writeMeasures(const std::vector<Measure> &measures, QIODevice &device);

} // namespace lexalon
