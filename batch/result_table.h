// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/star_calculation.h"

#include <string>

namespace vespera {

// The header of the output, without its line break: the columns, in order.
std::string resultHeader();

// Appends one output line, with its line break, in UTF-8: the star's name, then what the
// window shows for it, each cell the text of a field exactly as the window would show
// it, quoted only where CSV needs it.
void appendResultLine(std::string& out, const std::string& name, const StarResult& result);

}  // namespace vespera
