// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/registry.h"

#include <QString>
#include <QStringList>

#include <array>

namespace lexalon {

// System-information programs of the free desktops, most complete first.
inline constexpr std::array<const char16_t *, 3> systemInfoPrograms{
    u"hardinfo", u"kinfocenter", u"gnome-system-monitor"};

// Stands in for the Windows registry where there is none: the entry that
// records the system-information tool's full path holds the first of
// systemInfoPrograms found on the search path; every other key is missing.
class SystemInfoToolRegistry final : public RawRegistry
{
public:
    // An empty list searches the folders of PATH.
    explicit SystemInfoToolRegistry(QStringList searchPaths = {});

    std::optional<Key> openKey(RegistryRoot root, const std::string &keyName) override;
    std::optional<RegistryValue> queryValue(Key key, const std::string &valueName,
                                            std::size_t capacity) override;
    void closeKey(Key key) override;

private:
    static constexpr Key toolKey = 1;

    QString findTool() const;

    QStringList m_searchPaths;
    QString m_tool;
};

} // namespace lexalon
