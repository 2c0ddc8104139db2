#pragma once

#include <QStringList>

namespace lexalon {

// Name filters of a Qt file dialog, "Description (patterns)", with patterns
// that match file names the way users of this platform expect.
QStringList platformNameFilters(const QStringList &nameFilters);

} // namespace lexalon
