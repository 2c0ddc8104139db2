// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/sysinfo.h"

#include "platform/files/fileprobe.h"
#include "platform/interaction/messagebox.h"
#include "platform/system/msinfoentries.h"
#include "platform/system/processstarter.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// The reader's buffer; a larger value is refused by the registry.
constexpr std::size_t valueBufferSize = 1024;
constexpr std::size_t dwordSize = 4;
constexpr auto toolProgram = u"\\MSINFO32.EXE";

class OpenedKey
{
public:
    OpenedKey(RawRegistry &registry, RawRegistry::Key key)
        : m_registry(registry), m_key(key)
    {
    }
    ~OpenedKey() { m_registry.closeKey(m_key); }
    OpenedKey(const OpenedKey &) = delete;
    OpenedKey &operator=(const OpenedKey &) = delete;

    RawRegistry::Key key() const { return m_key; }

private:
    RawRegistry &m_registry;
    RawRegistry::Key m_key;
};

// The bytes in the system's single-byte code page, less a final NUL.
QString keptText(const std::vector<std::uint8_t> &data)
{
    const std::size_t kept = data.back() == 0 ? data.size() - 1 : data.size();
    return QString::fromLocal8Bit(reinterpret_cast<const char *>(data.data()),
                                  static_cast<qsizetype>(kept));
}

// Little-endian, as stored; missing bytes count as zero.
QString dwordText(const std::vector<std::uint8_t> &data)
{
    std::uint32_t value = 0;
    const std::size_t count = std::min(data.size(), dwordSize);
    for (std::size_t i = 0; i < count; ++i)
        value |= std::uint32_t{data[i]} << (8 * i);
    return QString::number(value);
}

} // namespace

EmptyRegistryValue::EmptyRegistryValue()
    : std::runtime_error("registry value of zero bytes")
{
}

std::optional<QString> readRegistryText(RawRegistry &registry, RegistryRoot root,
                                        const QString &keyName, const QString &valueName)
{
    const std::optional<RawRegistry::Key> key =
        registry.openKey(root, keyName.toLocal8Bit().toStdString());
    if (!key)
        return std::nullopt;
    const OpenedKey opened(registry, *key);
    const std::optional<RegistryValue> value =
        registry.queryValue(opened.key(), valueName.toLocal8Bit().toStdString(), valueBufferSize);
    if (!value)
        return std::nullopt;
    if (value->data.empty())
        throw EmptyRegistryValue();
    switch (value->type) {
    case RegSz:
        return keptText(value->data);
    case RegDword:
        return dwordText(value->data);
    default:
        return QString();
    }
}

SysInfoLauncher::SysInfoLauncher(RawRegistry &registry, const FileProbe &files,
                                 ProcessStarter &processes, MessageBox &messages)
    : m_registry(registry), m_files(files), m_processes(processes), m_messages(messages)
{
}

void SysInfoLauncher::launch()
{
    if (startTool())
        return;
    MessageRequest request;
    request.prompt = QString::fromUtf16(sysInfoUnavailableMessage);
    m_messages.show(request);
}

// Every way the launch can go wrong ends at the one message.
bool SysInfoLauncher::startTool()
{
    try {
        const QString path = toolPath();
        return !path.isEmpty() && m_processes.startDetached(path);
    } catch (const EmptyRegistryValue &) {
        return false;
    }
}

// The full path recorded for the tool is taken as it stands, even when it
// names nothing; only the folder recorded as a fallback is checked.
QString SysInfoLauncher::toolPath()
{
    if (const std::optional<QString> path =
            readRegistryText(m_registry, RegistryRoot::LocalMachine,
                             QString::fromLatin1(msinfoPathKey), QString::fromLatin1(msinfoPathValue)))
        return *path;
    const std::optional<QString> folder =
        readRegistryText(m_registry, RegistryRoot::LocalMachine,
                         QString::fromLatin1(msinfoFolderKey), QString::fromLatin1(msinfoFolderValue));
    if (!folder)
        return QString();
    const QString program = *folder + QString::fromUtf16(toolProgram);
    return m_files.isOrdinaryFile(program) ? program : QString();
}

} // namespace lexalon
