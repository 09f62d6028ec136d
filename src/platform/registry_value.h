// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading one registry value as text, the way the About box looks for the
// system-information tool. Qt-free, like the registry itself.

#include "platform/registry.h"

#include <stdexcept>
#include <string>

namespace vespera {

// The run-time error of a value whose text cannot be taken: one stored with a
// size of 0 bytes. The caller's error branch receives it.
class RegistryValueError : public std::runtime_error {
 public:
  RegistryValueError();
};

// Bytes the value may take: a longer one is not read.
inline constexpr std::uint32_t kKeyValueBufferSize = 1024;

// Reads the value SubKeyRef of the key KeyName under the root KeyRoot into
// KeyVal and says whether it was read. The key is opened with read rights only
// (KEY_READ): the value is only read, and Windows refuses anything more on
// HKEY_LOCAL_MACHINE to a user without administrator rights. A string becomes KeyVal less a final
// code 0 if it was stored with one; a 32-bit number becomes "&h" and its bytes
// in hexadecimal, most significant first; a value of any other type leaves
// KeyVal as it was. When the key or value cannot be read, KeyVal becomes
// empty and the result is false. A value of 0 bytes throws
// RegistryValueError. The key is closed in every case.
bool GetKeyValue(Registry& registry, std::uint32_t& KeyRoot, std::string& KeyName,
                 std::string& SubKeyRef, std::string& KeyVal);

}  // namespace vespera
