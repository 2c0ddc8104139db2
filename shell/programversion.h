// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexalon {

// "Version major.minor.revision", each number in plain decimal.
QString versionText(int major, int minor, int revision);

// The version text of this build of the program.
QString programVersionText();

// The version of this build, as the system shows it: "1.0.0.0".
QString programVersion();

} // namespace lexalon
