// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows registry reader against a real registry (wine's), and the
// version record the executable carries.

#include "lexalon/version.h"
#include "platform/system/registry_win32.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

static int failures = 0;

static void check(bool ok, const std::string &what)
{
    if (!ok)
        std::printf("FAIL %s\n", what.c_str()), ++failures;
}

// The numbers from the build's version, the texts as major.minor on two digits.
static void checkVersionRecord()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr) + 1);
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path, 0, DWORD(info.size()), info.data())
        || !VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length))
        return check(false, "version record");
    check(fixed->dwFileVersionMS == MAKELONG(LEXALON_VERSION_MINOR, LEXALON_VERSION_MAJOR)
              && fixed->dwFileVersionLS == MAKELONG(LEXALON_VERSION_TWEAK, LEXALON_VERSION_PATCH)
              && fixed->dwProductVersionMS == fixed->dwFileVersionMS
              && fixed->dwProductVersionLS == fixed->dwFileVersionLS,
          "version numbers");
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%d.%02d", LEXALON_VERSION_MAJOR, LEXALON_VERSION_MINOR);
    for (const auto &[field, expected] : {std::pair<const char *, std::string>{"FileVersion", numbers},
                                          {"ProductVersion", numbers}, {"ProductName", "Lexalon"}}) {
        char *value = nullptr;
        const std::string entry = std::string("\\StringFileInfo\\040C04E4\\") + field;
        check(VerQueryValueA(info.data(), entry.c_str(), reinterpret_cast<void **>(&value), &length)
                  && std::string(value) == expected, field);
    }
    check(FindResourceA(nullptr, "IDI_ICON1", MAKEINTRESOURCEA(14)) != nullptr, "icon"); // RT_GROUP_ICON
}

// Each value comes as stored, type and bytes; one larger than the buffer of
// 1024 bytes, NUL counted, is refused.
int main()
{
    const char testKey[] = "SOFTWARE\\Lexalon\\Essai";
    const struct { const char *name; DWORD type; Bytes stored; } values[] = {
        {"SansNul", REG_SZ, {'a', 'b', 'c'}},
        {"Compte", REG_DWORD, {0x78, 0x56, 0x34, 0xf2}},
        {"Vide", REG_SZ, {}},
        {"Long1024", REG_SZ, [] { Bytes b(1024, 'x'); b.back() = 0; return b; }()},
        {"Long1025", REG_SZ, [] { Bytes b(1025, 'x'); b.back() = 0; return b; }()},
    };
    lexalon::Win32Registry registry;
    HKEY written = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &written, nullptr);
    for (const auto &value : values) {
        Bytes bytes = value.stored; // the registry would store a NUL that follows the data too
        bytes.push_back('!');
        RegSetValueExA(written, value.name, 0, value.type, bytes.data(), DWORD(value.stored.size()));
        const auto key = registry.openKey(lexalon::RegistryRoot::LocalMachine, testKey).value_or(0);
        const auto read = registry.queryValue(key, value.name, 1024);
        check(value.stored.size() <= 1024 ? read && read->type == value.type && read->data == value.stored : !read,
              value.name);
        registry.closeKey(key);
        check(!registry.queryValue(key, value.name, 1024), "closed key");
    }
    check(!registry.openKey(lexalon::RegistryRoot::LocalMachine, "SOFTWARE\\Lexalon\\Absent"), "missing key");
    checkVersionRecord();
    std::printf("%d failed checks\n", failures);
    return failures == 0 ? 0 : 1;
}
