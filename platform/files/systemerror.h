// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexalon {

// The system's reason for a failed call of the program's own, in French, in
// the words of Qt's French translations where they have them: Qt's classes
// give their reasons through those translations.
QString systemErrorReason(int errorNumber);

// The same for a reason a Qt class gave in the C library's words, as
// QSaveFile does: a reason that is none of those is given back as it is.
QString systemErrorReason(const QString &qtReason);

} // namespace lexalon
