// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/fileprobe.h"
#include "platform/system/processstarter.h"
#include "platform/system/registry.h"
#include "shell/sysinfo.h"
#include "tests/support/scripteddialogs.h"

#include <QSet>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace lexalon {

// Stand-ins for the registry, the file system and process start: each holds
// what it is told to and records what it was asked.
class FakeRegistry final : public RawRegistry
{
public:
    std::map<std::string, std::map<std::string, RegistryValue>> keys; // values by key, then name
    std::map<Key, std::string> openKeys; // opened and not closed yet

    std::optional<Key> openKey(RegistryRoot, const std::string &name) override
    {
        return keys.contains(name) ? std::optional(openKeys.emplace(++m_lastKey, name).first->first) : std::nullopt;
    }
    // Like the registry, a value larger than the reader's buffer is refused.
    std::optional<RegistryValue> queryValue(Key key, const std::string &name, std::size_t capacity) override
    {
        const auto open = openKeys.find(key);
        if (open == openKeys.end())
            return std::nullopt;
        const auto &values = keys[open->second];
        const auto value = values.find(name);
        return value != values.end() && value->second.data.size() <= capacity ? std::optional(value->second) : std::nullopt;
    }
    void closeKey(Key key) override { openKeys.erase(key); }

private:
    Key m_lastKey = 0;
};

struct RecordingProcessStarter final : ProcessStarter
{
    bool succeeds = true;
    std::vector<QString> started;
    bool startDetached(const QString &program) override { return started.push_back(program), succeeds; }
};

struct ScriptedFileProbe final : FileProbe
{
    QSet<QString> files;
    bool isOrdinaryFile(const QString &path) const override { return files.contains(path); }
};

struct ScriptedLauncher // the system-information launcher over these stand-ins
{
    FakeRegistry registry;
    ScriptedFileProbe files;
    RecordingProcessStarter processes;
    ScriptedMessageBox messages;
    SysInfoLauncher launcher{registry, files, processes, messages};
};

} // namespace lexalon
