// The Windows registry reader against a real registry (wine's), and the
// version record the executable carries. run-under-wine.sh writes Chemin,
// Compte, Grand and Binaire with `reg add`; the values reg.exe cannot write
// are written here.

#include "lexalon/version.h"
#include "platform/registry_win32.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using lexalon::RegistryRoot;
using lexalon::RegistryValue;
using lexalon::Win32Registry;

namespace {

const char testKey[] = "SOFTWARE\\Lexalon\\Essai";
constexpr std::size_t bufferSize = 1024;

int failedChecks = 0;

void check(bool ok, const char *what, int line)
{
    if (!ok) {
        ++failedChecks;
        std::printf("  line %d: %s\n", line, what);
    }
}
#define CHECK(condition) check((condition), #condition, __LINE__)

std::vector<std::uint8_t> bytesOf(const std::string &text, bool withNul)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (withNul)
        bytes.push_back(0);
    return bytes;
}

// Writes exactly these bytes. The registry counts a NUL that follows the data
// as forgotten and stores it too, so the byte after the data is not one.
bool writeString(const char *name, std::vector<std::uint8_t> bytes)
{
    const auto count = static_cast<DWORD>(bytes.size());
    bytes.push_back('!');
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr)
        != ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExA(key, name, 0, REG_SZ, bytes.data(), count) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

// Reads one value of the test key through the reader, closing the key.
std::optional<RegistryValue> read(const char *name, std::size_t capacity = bufferSize)
{
    Win32Registry registry;
    const auto key = registry.openKey(RegistryRoot::LocalMachine, testKey);
    if (!key)
        return std::nullopt;
    auto value = registry.queryValue(*key, name, capacity);
    registry.closeKey(*key);
    return value;
}

void opensOnlyKeysThatExist()
{
    Win32Registry registry;
    const auto key = registry.openKey(RegistryRoot::LocalMachine, testKey);
    CHECK(key.has_value());
    if (key)
        registry.closeKey(*key);
    CHECK(!registry.openKey(RegistryRoot::LocalMachine, "SOFTWARE\\Lexalon\\Absent"));
}

void stringComesWithItsNul()
{
    const auto value = read("Chemin");
    CHECK(value && value->type == REG_SZ);
    CHECK(value && value->data == bytesOf("C:\\Program Files\\Outils\\msinfo32.exe", true));
}

void stringWithoutNulComesWithout()
{
    CHECK(writeString("SansNul", bytesOf("abc", false)));
    const auto value = read("SansNul");
    CHECK(value && value->type == REG_SZ);
    CHECK(value && value->data == bytesOf("abc", false));
}

void doubleWordComesAsItsFourBytes()
{
    const auto small = read("Compte");
    CHECK(small && small->type == REG_DWORD);
    CHECK(small && small->data == (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));
    const auto large = read("Grand");
    CHECK(large && large->data == (std::vector<std::uint8_t>{0xff, 0xff, 0xff, 0xff}));
}

void otherTypesComeAsStored()
{
    const auto value = read("Binaire");
    CHECK(value && value->type == REG_BINARY);
    CHECK(value && value->data == (std::vector<std::uint8_t>{1, 2, 3}));
}

void missingValueIsNotRead()
{
    CHECK(!read("Absente"));
}

// Sizes count the NUL: a value larger than the buffer is refused.
void valuesUpToTheBufferAreReadWhole()
{
    for (const std::size_t size : {std::size_t{1023}, std::size_t{1024}, std::size_t{1025}}) {
        const std::string name = "Long" + std::to_string(size);
        const auto bytes = bytesOf(std::string(size - 1, 'x'), true);
        CHECK(writeString(name.c_str(), bytes));
        const auto value = read(name.c_str());
        if (size <= bufferSize)
            CHECK(value && value->data == bytes);
        else
            CHECK(!value);
    }
}

void emptyValueComesWithNoBytes()
{
    CHECK(writeString("Vide", {}));
    const auto value = read("Vide");
    CHECK(value && value->type == REG_SZ && value->data.empty());
}

void closedKeyCannotBeRead()
{
    Win32Registry registry;
    const auto key = registry.openKey(RegistryRoot::LocalMachine, testKey);
    CHECK(key.has_value());
    if (!key)
        return;
    registry.closeKey(*key);
    CHECK(!registry.queryValue(*key, "Chemin", bufferSize));
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
void executableCarriesTheProgramVersion()
{
    char path[MAX_PATH];
    CHECK(GetModuleFileNameA(nullptr, path, MAX_PATH) > 0);
    const DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    CHECK(size > 0);
    std::vector<char> info(size);
    CHECK(GetFileVersionInfoA(path, 0, size, info.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    if (!fixed)
        return;
    CHECK(fixed->dwFileVersionMS == MAKELONG(LEXALON_VERSION_MINOR, LEXALON_VERSION_MAJOR));
    CHECK(fixed->dwFileVersionLS == MAKELONG(LEXALON_VERSION_TWEAK, LEXALON_VERSION_PATCH));
    CHECK(fixed->dwProductVersionMS == fixed->dwFileVersionMS);
    CHECK(fixed->dwProductVersionLS == fixed->dwFileVersionLS);
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", LEXALON_VERSION_MAJOR, LEXALON_VERSION_MINOR);
    CHECK(versionString(info, "FileVersion") == text);
    CHECK(versionString(info, "ProductVersion") == text);
    CHECK(versionString(info, "ProductName") == "Lexalon");
    CHECK(FindResourceA(nullptr, "IDI_ICON1", MAKEINTRESOURCEA(14)) != nullptr); // RT_GROUP_ICON
}

} // namespace

int main()
{
    const std::vector<std::pair<const char *, std::function<void()>>> cases{
        {"opensOnlyKeysThatExist", opensOnlyKeysThatExist},
        {"stringComesWithItsNul", stringComesWithItsNul},
        {"stringWithoutNulComesWithout", stringWithoutNulComesWithout},
        {"doubleWordComesAsItsFourBytes", doubleWordComesAsItsFourBytes},
        {"otherTypesComeAsStored", otherTypesComeAsStored},
        {"missingValueIsNotRead", missingValueIsNotRead},
        {"valuesUpToTheBufferAreReadWhole", valuesUpToTheBufferAreReadWhole},
        {"emptyValueComesWithNoBytes", emptyValueComesWithNoBytes},
        {"closedKeyCannotBeRead", closedKeyCannotBeRead},
        {"executableCarriesTheProgramVersion", executableCarriesTheProgramVersion},
    };
    int passed = 0;
    int failed = 0;
    for (const auto &[name, run] : cases) {
        const int before = failedChecks;
        run();
        const bool ok = failedChecks == before;
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", name);
        ++(ok ? passed : failed);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
