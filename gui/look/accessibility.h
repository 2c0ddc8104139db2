// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lexalon {

// Leaves the widget out of what screen readers are given: a control that is
// never shown, or one that repeats what another lying over it says.
void hideFromAccessibility(QWidget *widget);

} // namespace lexalon
