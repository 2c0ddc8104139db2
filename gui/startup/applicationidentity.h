// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QIcon;

namespace lexalon {

// Names the program and its version for the system, and gives every window
// the program's icon. Called once, right after the application is created.
void setApplicationIdentity();

// The program's icon, in the sizes drawn for it.
QIcon programIcon();

} // namespace lexalon
