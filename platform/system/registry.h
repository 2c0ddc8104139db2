// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plain C++ on purpose: the Windows reader behind this interface is also built
// and tested with a cross compiler that has no Qt.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lexalon {

// The predefined root keys the program reads under.
enum class RegistryRoot : std::uint32_t { LocalMachine = 0x80000002u };

// Value types, as the registry numbers them.
enum RegistryType : std::uint32_t { RegSz = 1, RegDword = 4 };

// A value as stored: its type and its bytes, nothing added or removed.
struct RegistryValue
{
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// Read-only access to the registry, one call per system call, so that the
// caller decides every step and closes every key it opened.
class RawRegistry
{
public:
    using Key = std::uintptr_t;

    virtual ~RawRegistry() = default;
    // Opens the key for reading. Names are in the system's single-byte code page.
    virtual std::optional<Key> openKey(RegistryRoot root, const std::string &keyName) = 0;
    // Reads a value of at most `capacity` bytes; nothing when the value is
    // missing or larger than that.
    virtual std::optional<RegistryValue> queryValue(Key key, const std::string &valueName,
                                                    std::size_t capacity) = 0;
    virtual void closeKey(Key key) = 0;
};

// The registry of this system: the real one on Windows, elsewhere a stand-in.
std::unique_ptr<RawRegistry> makeSystemRegistry();

} // namespace lexalon
