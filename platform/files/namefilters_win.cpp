// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/namefilters.h"

namespace lexalon {

// File names are not case-sensitive here: the patterns stand as written.
QStringList platformNameFilters(const QStringList &nameFilters)
{
    return nameFilters;
}

} // namespace lexalon
