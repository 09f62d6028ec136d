// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vespera {

// UTF-8 text in Windows-1252, the code page the measurement file has always been written in
// (the degree sign is the byte 0xB0, è is 0xE8). Returns nothing when a character has no
// byte there (a Greek letter, an emoji, one of the five unassigned positions of 0x80-0x9F)
// or the text is not valid UTF-8: such text is refused, never written with a stand-in
// character.
std::optional<std::string> encodeWindows1252(std::string_view utf8);

// The decimal separator results are written with, from the user's locale's (UTF-8): the
// program's own numbers must always be savable, so where the locale's separator is not one
// character with a byte in the measurement file's code page (the Arabic U+066B), the period.
std::string savableDecimalSeparator(std::string_view localeSeparator);

}  // namespace vespera
