// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <sys/types.h>

namespace lexalon {

// Why a file of this mode is not read or replaced, in French: what it is.
QString notRegularFileReason(mode_t mode);

} // namespace lexalon
