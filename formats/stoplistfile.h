// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexalon {

class StopList;

// Reads a file of forms to leave out, one a line, in any encoding a text is
// read in, into the list. Why it cannot, in French and naming the file, or
// nothing; the list is left as it was then.
QString readStopList(const QString &path, StopList &list);

} // namespace lexalon
