// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/save_name.h"

namespace vespera {
namespace {

constexpr std::string_view kNamelessFile = "misura.txt";
// File systems take 255 bytes a name; Chromium downloads into NAME.crdownload first, and a
// name that leaves no room for those 11 bytes never lands.
constexpr std::size_t kLongestName = 240;
// A longer "extension" is the end of a name with a dot in it, cut like the rest.
constexpr std::size_t kLongestExtension = 16;

std::string_view trimmed(std::string_view text, std::string_view front, std::string_view back) {
  const std::size_t first = text.find_first_not_of(front);
  if (first == std::string_view::npos) return {};
  text.remove_prefix(first);
  return text.substr(0, text.find_last_not_of(back) + 1);
}

// The first `bytes` bytes of UTF-8 text, less a character they would cut in two.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
  if (bytes >= text.size()) return text;
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0U) == 0x80U) --bytes;
  return text.substr(0, bytes);
}

}  // namespace

std::string suggestedFileName(std::string_view path) {
  const std::size_t folderEnd = path.find_last_of("\\/:");
  const std::string_view name =
      trimmed(folderEnd == std::string_view::npos ? path : path.substr(folderEnd + 1), " ", " .");
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || name.size() - dot > kLongestExtension) dot = name.size();
  const std::string_view stem = trimmed(name.substr(0, dot), " .", " ");
  const std::string_view extension = name.substr(dot);
  if (stem.empty()) return std::string(kNamelessFile);
  return std::string(utf8Prefix(stem, kLongestName - extension.size())) + std::string(extension);
}

}  // namespace vespera
