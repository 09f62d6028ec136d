// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace vespera {

namespace {

// Registry names compare without regard to case.
std::string upperCase(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  });
  return text;
}

std::vector<std::string> pathComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(upperCase(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(upperCase(part));
  return parts;
}

std::string rootName(std::uint32_t root) {
  char name[9];
  std::snprintf(name, sizeof name, "%08X", static_cast<unsigned>(root));
  return name;
}

// HKEY_CLASSES_ROOT to HKEY_CURRENT_CONFIG.
std::optional<std::uint32_t> predefinedRoot(RegistryHandle handle) {
  for (std::uint32_t root = 0x80000000u; root <= 0x80000005u; ++root) {
    if (predefinedKey(root) == handle) return root;
  }
  return std::nullopt;
}

std::string join(std::string fullName, const std::string& subKey) {
  for (const std::string& part : pathComponents(subKey)) fullName += '\\' + part;
  return fullName;
}

}  // namespace

MemoryRegistry::Key& MemoryRegistry::keyAt(std::uint32_t root, const std::string& path) {
  std::string fullName = rootName(root);
  keys_[fullName];
  for (const std::string& part : pathComponents(path)) {
    fullName += '\\' + part;
    keys_[fullName];
  }
  return keys_[fullName];
}

void MemoryRegistry::createKey(std::uint32_t root, const std::string& path) { keyAt(root, path); }

void MemoryRegistry::setValue(std::uint32_t root, const std::string& path, const std::string& name,
                              std::uint32_t type, const std::string& bytes) {
  keyAt(root, path).values[upperCase(name)] = Value{type, bytes};
}

void MemoryRegistry::setString(std::uint32_t root, const std::string& path, const std::string& name,
                               const std::string& text, bool withTerminatingZero) {
  std::string bytes = text;
  if (withTerminatingZero) bytes += '\0';
  setValue(root, path, name, kRegistryString, bytes);
}

void MemoryRegistry::setDword(std::uint32_t root, const std::string& path, const std::string& name,
                              std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFFu);
  setValue(root, path, name, kRegistryDword, bytes);
}

bool MemoryRegistry::resolve(RegistryHandle parent, const std::string& subKey,
                             std::string& fullName) const {
  if (const auto root = predefinedRoot(parent)) {
    fullName = join(rootName(*root), subKey);
    return true;
  }
  const auto open = openKeys_.find(parent);
  if (open == openKeys_.end()) return false;
  fullName = join(open->second.fullName, subKey);
  return true;
}

std::int32_t MemoryRegistry::openKey(RegistryHandle parent, const std::string& subKey,
                                     std::uint32_t /*options*/, std::uint32_t access,
                                     RegistryHandle& opened) {
  opened = 0;
  std::string fullName;
  if (!resolve(parent, subKey, fullName)) return kRegistryInvalidHandle;
  const bool isRoot = fullName.find('\\') == std::string::npos;
  const auto key = keys_.find(fullName);
  if (key == keys_.end() && !isRoot) return kRegistryFileNotFound;
  // The user the program runs as has no administrator rights.
  if (fullName.starts_with(rootName(kHkeyLocalMachine)) && (access & ~kKeyRead) != 0) {
    return kRegistryAccessDenied;
  }
  opened = nextHandle_;
  nextHandle_ += 4;
  openKeys_[opened] = {fullName, access};
  return kRegistrySuccess;
}

std::int32_t MemoryRegistry::queryValue(RegistryHandle key, const std::string& valueName,
                                        std::uint32_t& type, std::uint8_t* buffer,
                                        std::uint32_t& size) {
  std::string fullName;
  if (!resolve(key, std::string(), fullName)) return kRegistryInvalidHandle;
  const auto open = openKeys_.find(key);
  if (open != openKeys_.end() && (open->second.access & kKeyQueryValue) == 0) {
    return kRegistryAccessDenied;
  }
  const auto found = keys_.find(fullName);
  if (found == keys_.end()) return kRegistryFileNotFound;
  const auto value = found->second.values.find(upperCase(valueName));
  if (value == found->second.values.end()) return kRegistryFileNotFound;

  const std::string& bytes = value->second.bytes;
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  type = value->second.type;
  if (buffer == nullptr) {
    size = needed;
    return kRegistrySuccess;
  }
  if (needed > size) {
    size = needed;
    return kRegistryMoreData;
  }
  // NOLINTNEXTLINE(bugprone-not-null-terminated-result): raw bytes; strings bring their own NUL
  std::memcpy(buffer, bytes.data(), bytes.size());
  size = needed;
  return kRegistrySuccess;
}

std::int32_t MemoryRegistry::closeKey(RegistryHandle key) {
  if (predefinedRoot(key)) return kRegistrySuccess;
  return openKeys_.erase(key) == 1 ? kRegistrySuccess : kRegistryInvalidHandle;
}

}  // namespace vespera
