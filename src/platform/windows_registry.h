// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The system registry of Windows, through advapi32.

#ifdef _WIN32

#include "platform/registry.h"

namespace vespera {

class WindowsRegistry : public Registry {
 public:
  std::int32_t openKey(RegistryHandle parent, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegistryHandle& opened) override;
  std::int32_t queryValue(RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                          std::uint8_t* buffer, std::uint32_t& size) override;
  std::int32_t closeKey(RegistryHandle key) override;
};

}  // namespace vespera

#endif  // _WIN32
