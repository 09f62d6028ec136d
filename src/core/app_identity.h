// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

// Who the program says it is: window titles, the About box and every message
// box that has no title of its own.
namespace vespera {

inline constexpr std::string_view kApplicationTitle = "Vespera 3.3";
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 3;
inline constexpr int kVersionRevision = 0;

}  // namespace vespera
