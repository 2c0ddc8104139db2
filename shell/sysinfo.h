#pragma once

#include "platform/registry.h"

#include <QString>

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

// Reads the value SubKeyRef of the key KeyName under KeyRoot. A string
// becomes KeyVal without its terminating NUL, a double word its unsigned
// decimal text; any other type leaves KeyVal unchanged and still counts as
// read. False, with KeyVal emptied, when the key or the value cannot be read
// (a value of more than 1024 bytes cannot). The key is closed on every path.
// Throws EmptyRegistryValue for a value of zero bytes.
bool GetKeyValue(RawRegistry &registry, RegistryRoot KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal);

inline constexpr auto sysInfoUnavailableMessage =
    u"Les informations système ne sont pas disponibles actuellement";

// Starts the system's system-information tool, found through the registry,
// or tells the user it is not available.
class SysInfoLauncher
{
public:
    SysInfoLauncher(RawRegistry &registry, const FileProbe &files, ProcessStarter &processes,
                    MessageBox &messages);

    void StartSysInfo();

private:
    bool startTool();
    QString toolPath();

    RawRegistry &m_registry;
    const FileProbe &m_files;
    ProcessStarter &m_processes;
    MessageBox &m_messages;
};

} // namespace lexalon
