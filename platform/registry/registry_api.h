#pragma once
// The registry calls the programs make, shaped like the Windows registry's own:
// handles, access masks, typed values, the "more data" answer for short
// buffers, and Windows error codes as results. The store behind them is set up
// by store_config.h.
#include "platform/registry/registry_codes.h"

#include <cstdint>
#include <string>

namespace ks::registry {

// Opens key\subKey; access rights that would change a read-only scope are refused.
LONG RegOpenKeyEx(HKEY key, const std::string& subKey, REGSAM access, HKEY* result);
// Opens key\subKey, creating every missing level in one change.
LONG RegCreateKeyEx(HKEY key, const std::string& subKey, REGSAM access, HKEY* result,
                    DWORD* disposition = nullptr);
LONG RegCloseKey(HKEY key);
// Refused (ERROR_ACCESS_DENIED) while the key has subkeys.
LONG RegDeleteKey(HKEY key, const std::string& subKey);
LONG RegDeleteValue(HKEY key, const std::string& valueName);

// With data null: the type and size. With *size too small: ERROR_MORE_DATA and
// the size needed. Otherwise the bytes and their count.
LONG RegQueryValueEx(HKEY key, const std::string& valueName, DWORD* type, std::uint8_t* data,
                     DWORD* size);
LONG RegSetValueEx(HKEY key, const std::string& valueName, DWORD type, const std::uint8_t* data,
                   DWORD size);

// Subkeys in sorted order, values in the order they were created; past the
// end ERROR_NO_MORE_ITEMS. data and size may be null as for RegQueryValueEx.
LONG RegEnumKeyEx(HKEY key, DWORD index, std::string* name);
LONG RegEnumValue(HKEY key, DWORD index, std::string* name, DWORD* type = nullptr,
                  std::uint8_t* data = nullptr, DWORD* size = nullptr);

// Counts and longest lengths (in bytes) of the key's subkeys and values.
LONG RegQueryInfoKey(HKEY key, KeyInfo* info);

// Why the database of the key's scope cannot be used ("<file>: <damage>; ..."), once a
// call has met the damage (ERROR_BADDB) or failed to open it; empty while it is fine.
std::string RegStoreProblem(HKEY key);

}
