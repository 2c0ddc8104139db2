// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup/sysinfoservices.h"

namespace lexalon {

// The message box has no parent: it goes over whichever window is active,
// the About window when its button was pressed.
SysInfoServices::SysInfoServices()
    : m_registry(makeSystemRegistry()),
      m_messages(nullptr),
      m_launcher(*m_registry, m_files, m_processes, m_messages)
{
}

} // namespace lexalon
