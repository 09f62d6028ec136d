// SPDX-License-Identifier: GPL-3.0-or-later

#include "csv_line.h"

namespace vespera {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one pass keeps quoting rules together
bool splitCsvLine(std::string_view line, std::vector<std::string>& cells) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (true) {
    if (count == cells.size()) cells.emplace_back();
    std::string& cell = cells[count++];
    cell.clear();
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i < line.size() && line[i] == '"') {
      for (++i;; ++i) {
        if (i == line.size()) return false;
        if (line[i] != '"') {
          cell += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          cell += '"';
          ++i;
        } else {
          break;
        }
      }
      // Anything but blanks after the closing quote still belongs to the cell.
      for (++i; i < line.size() && line[i] != ','; ++i) {
        if (!isBlank(line[i])) cell += line[i];
      }
    } else {
      std::size_t end = line.find(',', i);
      if (end == std::string_view::npos) end = line.size();
      std::size_t last = end;
      while (last > i && isBlank(line[last - 1])) --last;
      cell.assign(line.substr(i, last - i));
      i = end;
    }
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  cells.resize(count);
  return true;
}

void appendCsvCell(std::string& out, std::string_view cell) {
  bool needsQuotes = !cell.empty() && (isBlank(cell.front()) || isBlank(cell.back()));
  for (char c : cell) needsQuotes = needsQuotes || c == ',' || c == '"' || c == '\n' || c == '\r';
  if (!needsQuotes) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace vespera
