// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/font_substitutes.h"

#include <algorithm>

namespace vespera {
namespace {

constexpr std::array<FontSubstitute, 5> kSubstitutes{{
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Verdana", {"DejaVu Sans", ""}},
    {"Comic Sans MS", {"Comic Neue", "DejaVu Sans"}},
}};

}  // namespace

std::span<const FontSubstitute> fontSubstitutes() { return kSubstitutes; }

std::span<const std::string_view> substitutesOf(std::string_view family) {
  for (const FontSubstitute& row : kSubstitutes) {
    if (row.family != family) continue;
    // NOLINTNEXTLINE(modernize-use-ranges): no range algorithms in Debian 12's emscripten
    const auto* const end = std::find(row.substitutes.begin(), row.substitutes.end(), "");
    return {row.substitutes.begin(), end};
  }
  return {};
}

}  // namespace vespera
