// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/measuresfile.h"

#include "formats/wordlistfile.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

namespace lexalon {

bool writeMeasures(const std::vector<Measure> &measures, QIODevice &device)
{
    PieceWriter writer(device, false);
    if (!writer.startRow(measureColumns[0], measureColumns[1]) || !writer.endRow())
        return false;
    for (const Measure &measure : measures) {
        if (!writer.startRow(measure.name, measure.value) || !writer.endRow())
            return false;
    }
    return writer.flush();
}

} // namespace lexalon
