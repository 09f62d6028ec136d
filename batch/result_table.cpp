// SPDX-License-Identifier: GPL-3.0-or-later

#include "result_table.h"

#include "csv_line.h"

#include <algorithm>

namespace vespera {
namespace {

// Field texts are nearly always plain digits that need no quotes: those are copied as they
// are.
void appendCell(std::string& out, std::string_view text) {
  const bool plain = std::ranges::all_of(text, [](char c) {
    return c > ' ' && c != ',' && c != '"' && static_cast<unsigned char>(c) < 0x80;
  });
  if (plain) {
    out += text;
  } else {
    appendCsvCell(out, text);
  }
}

}  // namespace

std::string resultHeader() {
  std::string header = "name,temperature_k";
  for (const ResultColumn& column : kResultColumns) header += std::string(",") + column.name;
  return header + ",error";
}

void appendResultLine(std::string& out, const std::string& name, const StarResult& result) {
  appendCsvCell(out, name);
  out += ',';
  appendCell(out, result.temperature);
  for (const ResultColumn& column : kResultColumns) {
    out += ',';
    appendCell(out, result.fields.heldText(column.field));
  }
  out += ',';
  appendCell(out, result.error);
  out += '\n';
}

}  // namespace vespera
