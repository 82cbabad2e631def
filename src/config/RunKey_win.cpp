// SPDX-License-Identifier: MIT
#include "RunKey_win.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace RunKey {
namespace {

constexpr const char *kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Query, set, create subkey, enumerate, notify and create link: what the key needs
// without asking for rights to delete or rewrite the key itself.
constexpr REGSAM kAccess = 0x3F;

// The open Run key, closed again when this goes out of scope.
class OpenRunKey
{
public:
    OpenRunKey()
    {
        m_open = RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, kAccess, &m_key) == ERROR_SUCCESS;
    }
    ~OpenRunKey()
    {
        if (m_open) {
            RegCloseKey(m_key);
        }
    }
    OpenRunKey(const OpenRunKey &) = delete;
    OpenRunKey &operator=(const OpenRunKey &) = delete;

    bool isOpen() const { return m_open; }
    HKEY key() const { return m_key; }

private:
    HKEY m_key = nullptr;
    bool m_open = false;
};

std::string quoted(const std::string &command)
{
    const bool blank = command.find_first_of(" \t") != std::string::npos;
    return blank && !command.starts_with('"') ? '"' + command + '"' : command;
}

} // namespace

bool setValue(const std::string &name, const std::string &command)
{
    if (name.empty()) {
        return false;
    }
    const OpenRunKey run;
    if (!run.isOpen()) {
        return false;
    }
    const std::string data = quoted(command);
    // REG_SZ data carries its terminating NUL, and the size counts it.
    return RegSetValueExA(run.key(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE *>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool removeValue(const std::string &name)
{
    if (name.empty()) {
        return false;
    }
    const OpenRunKey run;
    return run.isOpen() && RegDeleteValueA(run.key(), name.c_str()) == ERROR_SUCCESS;
}

} // namespace RunKey
