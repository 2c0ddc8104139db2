#pragma once

#include "platform/fileprobe.h"
#include "platform/processstarter.h"
#include "platform/registry.h"

#include <QSet>
#include <QString>

#include <map>
#include <utility>

namespace lexalon {

// Stand-ins for the registry, the file system and process start, for tests:
// each holds what it is told to, and records what it was asked.

class FakeRegistry final : public RawRegistry
{
public:
    struct Query
    {
        std::string keyName;
        std::string valueName;
        std::size_t capacity;
    };

    void addKey(const std::string &keyName);
    // Adds the key too.
    void setValue(const std::string &keyName, const std::string &valueName, RegistryValue value);

    std::optional<Key> openKey(RegistryRoot root, const std::string &keyName) override;
    std::optional<RegistryValue> queryValue(Key key, const std::string &valueName,
                                            std::size_t capacity) override;
    void closeKey(Key key) override;

    // Every key asked for, opened or not.
    const std::vector<std::string> &openRequests() const { return m_openRequests; }
    const std::vector<Query> &queries() const { return m_queries; }
    // Keys opened and not closed yet.
    std::size_t keysStillOpen() const { return m_open.size(); }
    // Closes of a key that was not open.
    int strayCloses() const { return m_strayCloses; }

private:
    std::map<std::string, std::map<std::string, RegistryValue>> m_keys;
    std::map<Key, std::string> m_open;
    Key m_nextKey = 1;
    std::vector<std::string> m_openRequests;
    std::vector<Query> m_queries;
    int m_strayCloses = 0;
};

class RecordingProcessStarter final : public ProcessStarter
{
public:
    // What the following starts answer.
    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    bool startDetached(const QString &program) override;
    const std::vector<QString> &started() const { return m_started; }

private:
    bool m_succeeds = true;
    std::vector<QString> m_started;
};

class ScriptedFileProbe final : public FileProbe
{
public:
    void addFile(const QString &path) { m_files.insert(path); }
    bool isOrdinaryFile(const QString &path) const override;
    const std::vector<QString> &asked() const { return m_asked; }

private:
    QSet<QString> m_files;
    mutable std::vector<QString> m_asked;
};

} // namespace lexalon
