#include "output/measuresfile.h"

#include "output/wordlistfile.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

namespace lexalon {

bool writeMeasures(const std::vector<Measure> &measures, QIODevice &device)
{
    QString lines = QString::fromUtf16(measuresHeading) + u"\r\n"_s;
    for (const Measure &measure : measures)
        lines += measure.name + u'\t' + measure.value + u"\r\n"_s;
    const QByteArray bytes = encodeWindows1252(lines);
    return device.write(bytes) == bytes.size();
}

} // namespace lexalon
