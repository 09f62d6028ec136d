// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <span>
#include <string_view>

namespace vespera {

// The Windows fonts the windows are designed in, each with the metric-compatible or nearest
// free fonts Debian ships (Liberation, DejaVu, Comic Neue), best first, so that sizes and
// weights survive where the originals are missing. The desktop hands them to Qt's font
// substitution; the web page lists them after the original and ships the first as a web
// font.
struct FontSubstitute {
  std::string_view family;
  std::array<std::string_view, 2> substitutes;  // an empty name ends the list
};

std::span<const FontSubstitute> fontSubstitutes();

// The substitutes of a family, or none for a family not in the list.
std::span<const std::string_view> substitutesOf(std::string_view family);

}  // namespace vespera
