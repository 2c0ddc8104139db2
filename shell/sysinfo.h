// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/registry.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace lexalon {

class FileProbe;
class MessageBox;
class ProcessStarter;

// A registry value of zero bytes: it is neither read nor missing, and the
// launch that asked for it is abandoned.
class EmptyRegistryValue : public std::runtime_error
{
public:
    EmptyRegistryValue();
};

// The text of the value valueName of the key keyName under root: a string
// without its terminating NUL, a double word as unsigned decimal. A value of
// any other type still counts as read but gives no text (an empty string).
// Nothing when the key or the value cannot be read (a value of more than 1024
// bytes cannot). The key is closed on every path. Throws EmptyRegistryValue
// for a value of zero bytes.
std::optional<QString> readRegistryText(RawRegistry &registry, RegistryRoot root,
                                        const QString &keyName, const QString &valueName);

inline constexpr auto sysInfoUnavailableMessage =
    u"Les informations système ne sont pas disponibles actuellement";

// Starts the system's system-information tool, found through the registry,
// or tells the user it is not available.
class SysInfoLauncher
{
public:
    SysInfoLauncher(RawRegistry &registry, const FileProbe &files, ProcessStarter &processes,
                    MessageBox &messages);

    // Each call starts another instance of the tool.
    void launch();

private:
    bool startTool();
    QString toolPath();

    RawRegistry &m_registry;
    const FileProbe &m_files;
    ProcessStarter &m_processes;
    MessageBox &m_messages;
};

} // namespace lexalon
