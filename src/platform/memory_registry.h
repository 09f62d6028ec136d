// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A registry held in memory that answers as the Windows registry does to a
// user without administrator rights: the same result codes, case-insensitive
// key and value names, values stored as raw bytes of a type (a string with or
// without its terminating 0, of any length, even 0), handles that must be
// closed and that allow only what they were opened for, and the keys of
// HKEY_LOCAL_MACHINE open for reading only. Tests build the keys they need; on
// systems without a registry the program presents its own few keys through it.

#include "platform/registry.h"

#include <map>
#include <string>

namespace vespera {

class MemoryRegistry : public Registry {
 public:
  // Creates the key and any missing keys above it.
  void createKey(std::uint32_t root, const std::string& path);
  // Stores a value as raw bytes, creating its key. Replaces a value of the same name.
  void setValue(std::uint32_t root, const std::string& path, const std::string& name,
                std::uint32_t type, const std::string& bytes);
  // A REG_SZ value; programs usually store the terminating 0, but need not.
  void setString(std::uint32_t root, const std::string& path, const std::string& name,
                 const std::string& text, bool withTerminatingZero = true);
  // A REG_DWORD value, four bytes, least significant first.
  void setDword(std::uint32_t root, const std::string& path, const std::string& name,
                std::uint32_t value);
  // Keys opened and not closed yet.
  int openHandleCount() const { return static_cast<int>(openKeys_.size()); }

  std::int32_t openKey(RegistryHandle parent, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegistryHandle& opened) override;
  std::int32_t queryValue(RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                          std::uint8_t* buffer, std::uint32_t& size) override;
  std::int32_t closeKey(RegistryHandle key) override;

 private:
  struct Value {
    std::uint32_t type = kRegistryNone;
    std::string bytes;
  };
  struct Key {
    std::map<std::string, Value> values;  // by upper-case name
  };
  struct OpenKey {
    std::string fullName;
    std::uint32_t access = 0;
  };

  Key& keyAt(std::uint32_t root, const std::string& path);
  // The full name of `subKey` under `parent` ("80000002\SOFTWARE\..." in upper
  // case), or nothing when `parent` is no root and no open key.
  bool resolve(RegistryHandle parent, const std::string& subKey, std::string& fullName) const;

  std::map<std::string, Key> keys_;  // by full name
  std::map<RegistryHandle, OpenKey> openKeys_;
  RegistryHandle nextHandle_ = 0x100;
};

}  // namespace vespera
