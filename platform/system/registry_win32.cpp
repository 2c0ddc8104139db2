// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/registry_win32.h"

#include <windows.h>

namespace lexalon {

namespace {

HKEY rootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    }
    return nullptr;
}

HKEY toHkey(RawRegistry::Key key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

// Reading needs no more than KEY_READ; asking for full access is refused to an
// ordinary user under HKEY_LOCAL_MACHINE.
std::optional<RawRegistry::Key> Win32Registry::openKey(RegistryRoot root, const std::string &keyName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey(root), keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return reinterpret_cast<Key>(key);
}

std::optional<RegistryValue> Win32Registry::queryValue(Key key, const std::string &valueName,
                                                       std::size_t capacity)
{
    RegistryValue value;
    value.data.assign(capacity, 0);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(capacity);
    if (RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &type, value.data.data(), &size)
        != ERROR_SUCCESS)
        return std::nullopt;
    value.type = type;
    value.data.resize(size);
    return value;
}

void Win32Registry::closeKey(Key key)
{
    RegCloseKey(toHkey(key));
}

std::unique_ptr<RawRegistry> makeSystemRegistry()
{
    return std::make_unique<Win32Registry>();
}

} // namespace lexalon
