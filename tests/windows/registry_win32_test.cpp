// The Windows registry reader against a real registry (wine's), and the
// version record the executable carries.

#include "lexalon/version.h"
#include "platform/registry_win32.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using lexalon::RegistryRoot;
using lexalon::Win32Registry;
using Bytes = std::vector<std::uint8_t>;

namespace {

const char testKey[] = "SOFTWARE\\Lexalon\\Essai";
int failures = 0;

void check(bool ok, const std::string &what)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL %s\n", what.c_str());
    }
}

Bytes text(const std::string &characters, bool withNul = true)
{
    Bytes bytes(characters.begin(), characters.end());
    if (withNul)
        bytes.push_back(0);
    return bytes;
}

// Writes exactly these bytes. The registry counts a NUL that follows the data
// as forgotten and stores it too, so the byte after the data is not one.
void write(const char *name, DWORD type, Bytes bytes)
{
    const auto count = static_cast<DWORD>(bytes.size());
    bytes.push_back('!');
    HKEY key = nullptr;
    check(RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
                  == ERROR_SUCCESS
              && RegSetValueExA(key, name, 0, type, bytes.data(), count) == ERROR_SUCCESS,
          std::string("writing ") + name);
    RegCloseKey(key);
}

std::string versionString(const std::vector<char> &info, const char *field)
{
    char *text = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040C04E4\\") + field;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void **>(&text), &length))
        return {};
    return std::string(text, length > 0 ? length - 1 : 0);
}

// The numbers from the build's version, the text as major.minor on two digits.
void checkVersionRecord()
{
    char path[MAX_PATH];
    check(GetModuleFileNameA(nullptr, path, MAX_PATH) > 0, "own path");
    std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    check(!info.empty() && GetFileVersionInfoA(path, 0, DWORD(info.size()), info.data())
              && VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length),
          "version record");
    if (!fixed)
        return;
    check(fixed->dwFileVersionMS == MAKELONG(LEXALON_VERSION_MINOR, LEXALON_VERSION_MAJOR)
              && fixed->dwFileVersionLS == MAKELONG(LEXALON_VERSION_TWEAK, LEXALON_VERSION_PATCH)
              && fixed->dwProductVersionMS == fixed->dwFileVersionMS
              && fixed->dwProductVersionLS == fixed->dwFileVersionLS,
          "version numbers");
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%d.%02d", LEXALON_VERSION_MAJOR, LEXALON_VERSION_MINOR);
    check(versionString(info, "FileVersion") == numbers && versionString(info, "ProductVersion") == numbers
              && versionString(info, "ProductName") == "Lexalon",
          "version texts");
    check(FindResourceA(nullptr, "IDI_ICON1", MAKEINTRESOURCEA(14)) != nullptr, "icon"); // RT_GROUP_ICON
}

} // namespace

// Each value comes as stored, type and bytes; one larger than the buffer of
// 1024 bytes, NUL counted, is refused.
int main()
{
    const struct
    {
        const char *name;
        DWORD type;
        Bytes stored;
        bool read;
    } values[] = {
        {"Chemin", REG_SZ, text("C:\\Program Files\\Outils\\msinfo32.exe"), true},
        {"SansNul", REG_SZ, text("abc", false), true},
        {"Compte", REG_DWORD, {0x78, 0x56, 0x34, 0x12}, true},
        {"Grand", REG_DWORD, {0xff, 0xff, 0xff, 0xff}, true},
        {"Binaire", REG_BINARY, {1, 2, 3}, true},
        {"Vide", REG_SZ, {}, true},
        {"Long1024", REG_SZ, text(std::string(1023, 'x')), true},
        {"Long1025", REG_SZ, text(std::string(1024, 'x')), false},
    };
    Win32Registry registry;
    for (const auto &value : values) {
        write(value.name, value.type, value.stored);
        const auto key = registry.openKey(RegistryRoot::LocalMachine, testKey);
        check(key.has_value(), "opening the key");
        const auto read = registry.queryValue(key.value_or(0), value.name, 1024);
        check(read.has_value() == value.read, std::string("reading ") + value.name);
        check(!read || (read->type == value.type && read->data == value.stored), std::string("bytes of ") + value.name);
        check(!registry.queryValue(key.value_or(0), "Absente", 1024), "missing value");
        registry.closeKey(key.value_or(0));
        check(!registry.queryValue(key.value_or(0), value.name, 1024), "closed key");
    }
    check(!registry.openKey(RegistryRoot::LocalMachine, "SOFTWARE\\Lexalon\\Absent"), "missing key");
    checkVersionRecord();
    std::printf("%d failed checks\n", failures);
    return failures == 0 ? 0 : 1;
}
