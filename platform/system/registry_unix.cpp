// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/registry_unix.h"

#include "platform/system/msinfoentries.h"

#include <QFile>
#include <QStandardPaths>

#include <utility>

namespace lexalon {

namespace {

bool sameName(const std::string &name, const char *expected)
{
    return QString::fromLocal8Bit(name).compare(QString::fromLatin1(expected), Qt::CaseInsensitive)
           == 0;
}

} // namespace

SystemInfoToolRegistry::SystemInfoToolRegistry(QStringList searchPaths)
    : m_searchPaths(std::move(searchPaths))
{
}

// The search is made at each opening, so a program installed while Lexalon
// runs is found at the next try.
std::optional<RawRegistry::Key> SystemInfoToolRegistry::openKey(RegistryRoot root,
                                                                const std::string &keyName)
{
    if (root != RegistryRoot::LocalMachine || !sameName(keyName, msinfoPathKey))
        return std::nullopt;
    m_tool = findTool();
    if (m_tool.isEmpty())
        return std::nullopt;
    return toolKey;
}

std::optional<RegistryValue> SystemInfoToolRegistry::queryValue(Key key, const std::string &valueName,
                                                                std::size_t capacity)
{
    if (key != toolKey || !sameName(valueName, msinfoPathValue))
        return std::nullopt;
    const QByteArray path = QFile::encodeName(m_tool);
    RegistryValue value{RegSz, std::vector<std::uint8_t>(path.begin(), path.end())};
    value.data.push_back(0);
    if (value.data.size() > capacity)
        return std::nullopt;
    return value;
}

void SystemInfoToolRegistry::closeKey(Key)
{
}

QString SystemInfoToolRegistry::findTool() const
{
    for (const char16_t *program : systemInfoPrograms) {
        const QString found =
            QStandardPaths::findExecutable(QString::fromUtf16(program), m_searchPaths);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

std::unique_ptr<RawRegistry> makeSystemRegistry()
{
    return std::make_unique<SystemInfoToolRegistry>();
}

} // namespace lexalon
