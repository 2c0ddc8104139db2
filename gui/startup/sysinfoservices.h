// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/qtmessagebox.h"
#include "platform/system/registry.h"
#include "platform/system/systemservices.h"
#include "shell/sysinfo.h"

#include <memory>

namespace lexalon {

// The system-information launcher over this system's registry, files,
// processes and message boxes, for the running program.
class SysInfoServices
{
public:
    SysInfoServices();
    SysInfoServices(const SysInfoServices &) = delete;
    SysInfoServices &operator=(const SysInfoServices &) = delete;

    SysInfoLauncher &launcher() { return m_launcher; }

private:
    std::unique_ptr<RawRegistry> m_registry;
    QtFileProbe m_files;
    QtProcessStarter m_processes;
    QtMessageBox m_messages;
    SysInfoLauncher m_launcher;
};

} // namespace lexalon
