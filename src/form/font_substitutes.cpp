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
    const auto* const end = std::ranges::find(row.substitutes, "");
    return {row.substitutes.begin(), end};
  }
  return {};
}

}  // namespace vespera
