// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vespera {

// One line of comma-separated values, in UTF-8. A cell may be wrapped in double quotes to
// hold commas, and a doubled quote inside it stands for one quote; blanks around a cell
// are dropped. The cells go into `cells`, whose strings keep their storage from one line
// to the next. Returns false when a quoted cell is not closed on its line (cells never
// span lines).
bool splitCsvLine(std::string_view line, std::vector<std::string>& cells);

// Appends a cell as written to the output: quoted only when it holds a comma, a quote, a
// line break or outer blanks, so plain numbers stay plain.
void appendCsvCell(std::string& out, std::string_view cell);

}  // namespace vespera
