// SPDX-License-Identifier: MIT
// The Run key values, cross-compiled without Qt and run under wine, whose registry
// lives in the test's own prefix.
#include "RunKey_win.h"
#include "Tally.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <optional>
#include <string>
#include <windows.h>

namespace {

constexpr const char *kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char *kName = "MirkanAutostartTest";

// The code under test never creates the Run key; a fresh prefix may not have it yet.
HKEY openForTest()
{
    HKEY key = nullptr;
    return RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                           nullptr) == ERROR_SUCCESS
               ? key
               : nullptr;
}

// The REG_SZ data without its closing NUL; nullopt for anything else.
std::optional<std::string> readValue(HKEY key, const char *name)
{
    char data[512];
    DWORD type = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size == 0 || data[size - 1] != '\0') {
        return std::nullopt;
    }
    return std::string(data, size - 1);
}

DWORD valueCount(HKEY key)
{
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    return count;
}

using Value = std::optional<std::string>;

Value saved(HKEY key, const char *name, const std::string &command)
{
    return RunKey::setValue(name, command) ? readValue(key, name) : std::nullopt;
}

} // namespace

int main()
{
    Tally t;
    HKEY key = openForTest();
    if (key == nullptr) {
        std::printf("FAIL cannot open the Run key\n0 passed, 1 failed\n");
        return 1;
    }
    RegDeleteValueA(key, kName);
    const DWORD before = valueCount(key);

    t.expect("removing a missing value fails", RunKey::removeValue(kName), false);

    const std::string plain = "C:\\Tools\\Mirkan_DesktopTool.exe";
    for (const char *what : {"first save", "second save"}) {
        t.expect(what, saved(key, kName, plain), Value(plain));
        t.expect(what, valueCount(key), before + 1);
    }
    t.expect("blank quoted", saved(key, kName, "C:\\Program Files\\M\\Mirkan_DesktopTool.exe"),
             Value("\"C:\\Program Files\\M\\Mirkan_DesktopTool.exe\""));
    t.expect("quoted already", saved(key, kName, "\"C:\\A B\\x.exe\""),
             Value("\"C:\\A B\\x.exe\""));
    // An empty name is the key's default value.
    t.expect("empty name refused", saved(key, "", plain), Value());
    t.expect("empty name not removed", RunKey::removeValue(""), false);

    t.expect("remove", RunKey::removeValue(kName), true);
    t.expect("removed", readValue(key, kName), Value());
    t.expect("count back", valueCount(key), before);
    t.expect("remove again fails", RunKey::removeValue(kName), false);

    RegCloseKey(key);
    return t.end();
}
