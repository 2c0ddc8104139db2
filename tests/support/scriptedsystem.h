#pragma once

#include "platform/fileprobe.h"
#include "platform/processstarter.h"
#include "platform/registry.h"

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
    std::vector<std::string> openRequests; // every key asked for, opened or not
    std::map<Key, std::string> openKeys; // opened and not closed yet

    std::optional<Key> openKey(RegistryRoot, const std::string &keyName) override
    {
        openRequests.push_back(keyName);
        if (!keys.contains(keyName))
            return std::nullopt;
        openKeys.emplace(++m_lastKey, keyName);
        return m_lastKey;
    }
    // Like the registry, a value larger than the reader's buffer is refused.
    std::optional<RegistryValue> queryValue(Key key, const std::string &valueName, std::size_t capacity) override
    {
        const auto open = openKeys.find(key);
        if (open == openKeys.end() || !keys[open->second].contains(valueName))
            return std::nullopt;
        const RegistryValue &value = keys[open->second][valueName];
        return value.data.size() > capacity ? std::nullopt : std::optional(value);
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

} // namespace lexalon
