// SPDX-License-Identifier: GPL-3.0-or-later

// The name the page suggests for what the file-name box holds, one row a text a user types.

#include "web/save_name.h"

#include <cstdio>
#include <string>
#include <utility>

int main() {
  const std::string x300(300, 'x');
  std::string e130;
  for (int i = 0; i < 130; ++i) e130 += "\u00E8";  // two bytes each
  const std::pair<std::string, std::string> rows[] = {
      {R"(C:\misure\vega.txt)", "vega.txt"},
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
      {x300 + ".txt", x300.substr(0, 236) + ".txt"},
      {x300, x300.substr(0, 240)},
      {"a" + e130 + ".txt", "a" + e130.substr(0, 234) + ".txt"},
      {"c." + x300, "c." + x300.substr(0, 238)}};
  int faults = 0;
  for (const auto& [typed, suggested] : rows) {
    const std::string got = vespera::suggestedFileName(typed);
    if (got == suggested) continue;
    std::fprintf(stderr, "\"%s\" suggests \"%s\", not \"%s\"\n", typed.c_str(), got.c_str(),
                 suggested.c_str());
    ++faults;
  }
  return faults == 0 ? 0 : 1;
}
