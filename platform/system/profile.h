// The registry and the application profile, kept in one INI file under the
// configuration folder (pelk.ini). A registry key is a section named by its
// path; the profile of an application lives in "Software\<key>\<app>\...".
#pragma once

#include <optional>

#include "c_string.h"
#include "win_types.h"

class ProfileStore {
public:
    static ProfileStore& Instance();

    std::optional<CString> Get(const CString& section, const CString& name);
    // Writes through to the file at once; FALSE when it cannot be written.
    BOOL Set(const CString& section, const CString& name, const CString& value);
    BOOL Remove(const CString& section, const CString& name);
    bool HasSection(const CString& section);
    // Re-reads the file (after the configuration folder changed).
    void Reload();

private:
    ProfileStore() = default;
};

// Registry calls over the store. Values are strings; a binary read returns
// the text as wide characters with the terminator.
using HKEY = struct RegistryKey*;
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(0x80000001));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(0x80000002));
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD KEY_READ = 0x20019;
constexpr DWORD KEY_WRITE = 0x20006;
constexpr DWORD KEY_ALL_ACCESS = 0xF003F;
using LONG_RESULT = LONG;

LONG RegOpenKeyEx(HKEY root, LPCTSTR subKey, DWORD options, DWORD access, HKEY* result);
LONG RegCreateKeyEx(HKEY root, LPCTSTR subKey, DWORD reserved, LPTSTR className, DWORD options, DWORD access,
                    LPVOID security, HKEY* result, DWORD* disposition);
// type and size may be null; size is in bytes. ERROR_MORE_DATA when the
// buffer is too small (size then holds the needed bytes).
LONG RegQueryValueEx(HKEY key, LPCTSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueEx(HKEY key, LPCTSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegCloseKey(HKEY key);
