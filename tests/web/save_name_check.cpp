// SPDX-License-Identifier: GPL-3.0-or-later

// The name the page suggests for what the file-name box holds: one a row, as a user types it.

#include "web/save_name.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

struct Row {
  std::string typed;
  std::string suggested;
};

std::string repeated(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

}  // namespace

int main() {
  const Row rows[] = {
      {R"(C:\misure\vega.txt)", "vega.txt"},
      {"vega.txt", "vega.txt"},
      {"misure/vega.txt", "vega.txt"},
      {"C:vega.txt", "vega.txt"},
      {"vega", "vega"},
      {"  vega.txt. ", "vega.txt"},
      {".vega.txt", "vega.txt"},
      {"vega alfa.dati.txt", "vega alfa.dati.txt"},
      {R"(C:\.txt)", "misura.txt"},
      {"..", "misura.txt"},
      {"vega/..", "misura.txt"},
      {" ", "misura.txt"},
      {R"(C:\misure\)", "misura.txt"},
      {"....txt", "misura.txt"},
      // Too long for a file system: cut to 240 bytes, keeping the extension and whole letters.
      {repeated("a", 300) + ".txt", repeated("a", 236) + ".txt"},
      {"a" + repeated("\u00E8", 130) + ".txt", "a" + repeated("\u00E8", 117) + ".txt"},
      {repeated("b", 300), repeated("b", 240)},
      {repeated("c", 20) + "." + repeated("d", 280), repeated("c", 20) + "." + repeated("d", 219)},
  };
  int faults = 0;
  for (const Row& row : rows) {
    const std::string got = vespera::suggestedFileName(row.typed);
    if (got == row.suggested) continue;
    std::fprintf(stderr, "\"%s\" suggests \"%s\", not \"%s\"\n", row.typed.c_str(), got.c_str(),
                 row.suggested.c_str());
    ++faults;
  }
  return faults == 0 ? 0 : 1;
}
