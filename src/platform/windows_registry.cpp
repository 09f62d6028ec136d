// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/windows_registry.h"

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace vespera {

namespace {

HKEY toHkey(RegistryHandle handle) { return reinterpret_cast<HKEY>(handle); }

}  // namespace

// The 8-bit entry points: names and string values travel in the ANSI code page. The rights
// asked for go to Windows as they are, so that it refuses what it refuses (the stand-in
// registry refuses the same).
std::int32_t WindowsRegistry::openKey(RegistryHandle parent, const std::string& subKey,
                                      std::uint32_t options, std::uint32_t access,
                                      RegistryHandle& opened) {
  static_assert(kKeyRead == static_cast<std::uint32_t>(KEY_READ));
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(toHkey(parent), subKey.c_str(), options, access, &key);
  opened = reinterpret_cast<RegistryHandle>(key);
  return static_cast<std::int32_t>(result);
}

std::int32_t WindowsRegistry::queryValue(RegistryHandle key, const std::string& valueName,
                                         std::uint32_t& type, std::uint8_t* buffer,
                                         std::uint32_t& size) {
  DWORD valueType = 0;
  DWORD valueSize = size;
  const LONG result =
      RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &valueType, buffer, &valueSize);
  type = valueType;
  size = valueSize;
  return static_cast<std::int32_t>(result);
}

std::int32_t WindowsRegistry::closeKey(RegistryHandle key) {
  return static_cast<std::int32_t>(RegCloseKey(toHkey(key)));
}

}  // namespace vespera

#endif  // _WIN32
