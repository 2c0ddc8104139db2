// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/system/registry.h"

namespace lexalon {

// The Windows registry through advapi32.
class Win32Registry final : public RawRegistry
{
public:
    std::optional<Key> openKey(RegistryRoot root, const std::string &keyName) override;
    std::optional<RegistryValue> queryValue(Key key, const std::string &valueName,
                                            std::size_t capacity) override;
    void closeKey(Key key) override;
};

} // namespace lexalon
