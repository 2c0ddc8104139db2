// The Windows registry reader against a real registry (wine's), and the
// version record the executable carries.

#include "lexalon/version.h"
#include "platform/registry_win32.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace {

const char testKey[] = "SOFTWARE\\Lexalon\\Essai";
int failures = 0;

void check(bool ok, const std::string &what)
{
    if (!ok)
        std::printf("FAIL %s\n", what.c_str()), ++failures;
}

Bytes text(const std::string &characters, bool withNul = true)
{
    return Bytes(characters.c_str(), characters.c_str() + characters.size() + withNul);
}

// The numbers from the build's version, the texts as major.minor on two digits.
void checkVersionRecord()
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
    const std::pair<const char *, std::string> texts[] = {
        {"FileVersion", numbers}, {"ProductVersion", numbers}, {"ProductName", "Lexalon"}};
    for (const auto &[field, expected] : texts) {
        char *value = nullptr;
        const std::string entry = std::string("\\StringFileInfo\\040C04E4\\") + field;
        check(VerQueryValueA(info.data(), entry.c_str(), reinterpret_cast<void **>(&value), &length)
                  && std::string(value) == expected, field);
    }
    check(FindResourceA(nullptr, "IDI_ICON1", MAKEINTRESOURCEA(14)) != nullptr, "icon"); // RT_GROUP_ICON
}

} // namespace

// Each value comes as stored, type and bytes; one larger than the buffer of
// 1024 bytes, NUL counted, is refused.
int main()
{
    const struct { const char *name; DWORD type; Bytes stored; bool read; } values[] = {
        {"Chemin", REG_SZ, text("C:\\Program Files\\Outils\\msinfo32.exe"), true},
        {"SansNul", REG_SZ, text("abc", false), true},
        {"Compte", REG_DWORD, {0x78, 0x56, 0x34, 0xf2}, true},
        {"Binaire", REG_BINARY, {1, 2, 3}, true},
        {"Vide", REG_SZ, {}, true},
        {"Long1024", REG_SZ, text(std::string(1023, 'x')), true},
        {"Long1025", REG_SZ, text(std::string(1024, 'x')), false},
    };
    lexalon::Win32Registry registry;
    HKEY written = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &written, nullptr);
    for (const auto &value : values) {
        // The registry counts a NUL that follows the data as forgotten and
        // stores it too, so the byte after the data is not one.
        Bytes bytes = value.stored;
        bytes.push_back('!');
        check(RegSetValueExA(written, value.name, 0, value.type, bytes.data(), DWORD(value.stored.size())) == 0,
              std::string("writing ") + value.name);
        const auto key = registry.openKey(lexalon::RegistryRoot::LocalMachine, testKey).value_or(0);
        const auto read = registry.queryValue(key, value.name, 1024);
        check(value.read ? read && read->type == value.type && read->data == value.stored : !read, value.name);
        check(!registry.queryValue(key, "Absente", 1024), "missing value");
        registry.closeKey(key);
        check(!registry.queryValue(key, value.name, 1024), "closed key");
    }
    check(!registry.openKey(lexalon::RegistryRoot::LocalMachine, "SOFTWARE\\Lexalon\\Absent"), "missing key");
    checkVersionRecord();
    std::printf("%d failed checks\n", failures);
    return failures == 0 ? 0 : 1;
}
