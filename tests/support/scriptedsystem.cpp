#include "tests/support/scriptedsystem.h"

namespace lexalon {

void FakeRegistry::addKey(const std::string &keyName)
{
    m_keys[keyName];
}

void FakeRegistry::setValue(const std::string &keyName, const std::string &valueName,
                            RegistryValue value)
{
    m_keys[keyName][valueName] = std::move(value);
}

std::optional<RawRegistry::Key> FakeRegistry::openKey(RegistryRoot, const std::string &keyName)
{
    m_openRequests.push_back(keyName);
    if (!m_keys.contains(keyName))
        return std::nullopt;
    const Key key = m_nextKey++;
    m_open.emplace(key, keyName);
    return key;
}

// Like the registry, a value larger than the reader's buffer is refused.
std::optional<RegistryValue> FakeRegistry::queryValue(Key key, const std::string &valueName,
                                                      std::size_t capacity)
{
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return std::nullopt;
    m_queries.push_back({open->second, valueName, capacity});
    const auto &values = m_keys.at(open->second);
    const auto value = values.find(valueName);
    if (value == values.end() || value->second.data.size() > capacity)
        return std::nullopt;
    return value->second;
}

void FakeRegistry::closeKey(Key key)
{
    if (m_open.erase(key) == 0)
        ++m_strayCloses;
}

bool RecordingProcessStarter::startDetached(const QString &program)
{
    m_started.push_back(program);
    return m_succeeds;
}

bool ScriptedFileProbe::isOrdinaryFile(const QString &path) const
{
    m_asked.push_back(path);
    return m_files.contains(path);
}

} // namespace lexalon
