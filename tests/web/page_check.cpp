// SPDX-License-Identifier: GPL-3.0-or-later

// The generated page as a browser and a screen reader resolve it: every id once; every id a
// label, group, menu or window refers to present, each heading before its text box, where a
// reader and the narrow column meet it. (That each field has its text box, the browser check
// sees in every case it replays.) Prints each fault and exits 1 on any.

#include "web/page_markup.h"

#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using namespace vespera;

namespace {

int checkPage() {
  const std::string html = pageHtml();
  int faults = 0;
  const auto fault = [&faults](const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    ++faults;
  };
  std::map<std::string, int> ids;
  std::set<std::string> inputs;
  std::set<std::string> referred;
  std::set<std::string> labelled;  // by a label's for
  const std::regex attribute(R"((<input )?\b(id|for|aria-\w+)="([^"]*)\")");
  for (std::sregex_iterator it(html.begin(), html.end(), attribute), end; it != end; ++it) {
    const std::string name = (*it)[2];
    if (name == "id") {
      ++ids[(*it)[3]];
      if ((*it)[1].matched) inputs.insert((*it)[3]);
    } else if (name == "for") {
      labelled.insert((*it)[3]);
      if (inputs.contains((*it)[3])) fault("the heading of " + (*it)[3].str() + " stands after it");
    } else if (name == "aria-owns" || name.ends_with("ledby") || name == "aria-controls" ||
               name == "aria-describedby") {
      std::istringstream list((*it)[3].str());
      for (std::string id; list >> id;) referred.insert(id);
    }
  }
  for (const auto& [id, count] : ids) {
    if (count > 1) fault("the id " + id + " stands " + std::to_string(count) + " times");
  }
  for (const std::string& id : labelled) {
    if (!inputs.contains(id)) fault("a label is for " + id + ", which is no text box");
  }
  if (referred.empty()) fault("the page refers to no id at all");
  for (const std::string& id : referred) {
    if (!ids.contains(id)) fault("nothing has the id " + id + " that the page refers to");
  }
  return faults == 0 ? 0 : 1;
}

}  // namespace

int main() {
  try {
    return checkPage();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
