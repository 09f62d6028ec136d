// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/registry_value.h"

#include <algorithm>
#include <array>

namespace vespera {

RegistryValueError::RegistryValueError()
    : std::runtime_error("Errore di run-time: chiamata di routine o argomento non validi") {}

namespace {

// Closes the key on every way out, a thrown error included. After a failed
// open there is no key and the close fails harmlessly, as it always did.
class KeyCloser {
 public:
  KeyCloser(Registry& registry, const RegistryHandle& key) : registry_(registry), key_(key) {}
  ~KeyCloser() { registry_.closeKey(key_); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

 private:
  Registry& registry_;
  const RegistryHandle& key_;
};

// The first `size` bytes of the buffer, less the last one when it is a 0: the
// terminator a string is usually, but not always, stored with.
std::string valueText(const std::array<std::uint8_t, kKeyValueBufferSize>& buffer,
                      std::uint32_t size) {
  if (size == 0) throw RegistryValueError();
  std::string text(buffer.begin(),
                   buffer.begin() + std::min<std::uint32_t>(size, kKeyValueBufferSize));
  if (text.back() == '\0') text.pop_back();
  return text;
}

// "&h" and two hexadecimal digits per byte, the last byte (the most
// significant of a little-endian number) first.
std::string hexRendering(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string rendering = "&h";
  // NOLINTNEXTLINE(modernize-loop-convert): clang 14 cannot read libstdc++ 12's views::reverse
  for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
    const auto value = static_cast<unsigned char>(*byte);
    rendering += kDigits[value >> 4];
    rendering += kDigits[value & 0x0F];
  }
  return rendering;
}

}  // namespace

bool GetKeyValue(Registry& registry, std::uint32_t& KeyRoot, std::string& KeyName,
                 std::string& SubKeyRef, std::string& KeyVal) {
  RegistryHandle key = 0;
  KeyCloser closer(registry, key);

  if (registry.openKey(predefinedKey(KeyRoot), KeyName, 0, kKeyRead, key) != kRegistrySuccess) {
    KeyVal.clear();
    return false;
  }

  std::array<std::uint8_t, kKeyValueBufferSize> buffer{};
  std::uint32_t type = kRegistryNone;
  std::uint32_t size = kKeyValueBufferSize;
  if (registry.queryValue(key, SubKeyRef, type, buffer.data(), size) != kRegistrySuccess) {
    KeyVal.clear();
    return false;
  }

  const std::string text = valueText(buffer, size);
  if (type == kRegistryString) {
    KeyVal = text;
  } else if (type == kRegistryDword) {
    KeyVal = hexRendering(text);
  }
  return true;
}

}  // namespace vespera
