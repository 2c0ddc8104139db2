// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lexalon {

// "Description|pattern|Description|pattern" as the name filters of a Qt file
// dialog: "Description (pattern)".
QStringList qtNameFilters(const QString &filter);

// Name filters of a Qt file dialog, "Description (patterns)", with patterns
// that match file names the way users of this platform expect.
QStringList platformNameFilters(const QStringList &nameFilters);

} // namespace lexalon
