// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The registry as the About box reads it: open a key, query one value into a
// buffer of the caller's, close the key. The interface mirrors the three
// advapi32 calls one for one (same arguments, same result codes, sizes in
// bytes), so the Windows implementation is a plain pass-through and the
// in-memory one can be held to the same contract. No Qt here: this code is
// also cross-compiled on its own for Windows.

#include <cstdint>
#include <string>

namespace vespera {

// A key handle as the system hands it out: an opened key, or a predefined root.
using RegistryHandle = std::uintptr_t;

// Result codes, with the values Windows gives them. Of Windows' own type (LONG): the system
// may answer with any other code, which must come through whole to be told apart.
enum RegistryResult : std::int32_t {  // NOLINT(performance-enum-size): Windows' LONG, see above
  kRegistrySuccess = 0,               // ERROR_SUCCESS
  kRegistryFileNotFound = 2,          // ERROR_FILE_NOT_FOUND: no such key or value
  kRegistryAccessDenied = 5,          // ERROR_ACCESS_DENIED
  kRegistryInvalidHandle = 6,         // ERROR_INVALID_HANDLE
  kRegistryMoreData = 234,            // ERROR_MORE_DATA: the value is longer than the buffer
};

// Value types, of Windows' own type (DWORD): a value of any other type comes through whole.
enum RegistryValueType : std::uint32_t {  // NOLINT(performance-enum-size): Windows' DWORD
  kRegistryNone = 0,                      // REG_NONE
  kRegistryString = 1,                    // REG_SZ
  kRegistryExpandString = 2,
  kRegistryBinary = 3,
  kRegistryDword = 4,  // REG_DWORD, little-endian
};

// Access rights of an opened key.
enum RegistryAccess : std::uint32_t {
  kKeyQueryValue = 0x0001,
  kKeySetValue = 0x0002,
  kKeyCreateSubKey = 0x0004,
  kKeyEnumerateSubKeys = 0x0008,
  kKeyNotify = 0x0010,
  kKeyCreateLink = 0x0020,
  kReadControl = 0x20000,
  // KEY_READ: all that Windows grants a user without administrator rights on the keys of
  // HKEY_LOCAL_MACHINE.
  kKeyRead = kReadControl | kKeyQueryValue | kKeyEnumerateSubKeys | kKeyNotify,
};

// The predefined roots as 32-bit numbers (HKEY_LOCAL_MACHINE is 0x80000002).
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003u;

// The handle of a predefined root. Windows defines the roots as 32-bit values
// sign-extended to the width of a pointer, so on 64-bit systems
// HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002; doing the same here lets a 32-bit
// root number be passed straight to the system.
constexpr RegistryHandle predefinedKey(std::uint32_t root) {
  return static_cast<RegistryHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA: opens the sub-key `subKey` (backslash-separated, case
  // insensitive; empty opens `parent` itself again) of `parent` with the given
  // options and access rights. On success `opened` is the new handle.
  virtual std::int32_t openKey(RegistryHandle parent, const std::string& subKey,
                               std::uint32_t options, std::uint32_t access,
                               RegistryHandle& opened) = 0;

  // RegQueryValueExA: reads the value `valueName` of an open key. On entry
  // `size` is the length of `buffer` in bytes; on return it is the length of
  // the value in bytes, and `type` its type. A value longer than the buffer
  // gives kRegistryMoreData, with `size` set to the length needed. A null
  // `buffer` asks for type and size only.
  virtual std::int32_t queryValue(RegistryHandle key, const std::string& valueName,
                                  std::uint32_t& type, std::uint8_t* buffer,
                                  std::uint32_t& size) = 0;

  // RegCloseKey.
  virtual std::int32_t closeKey(RegistryHandle key) = 0;
};

}  // namespace vespera
