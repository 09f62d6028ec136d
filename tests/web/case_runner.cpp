// SPDX-License-Identifier: GPL-3.0-or-later

// The cases of cases.txt, each pressed through the desktop's path (the window's controls on
// the core, with the desktop's separator rule and error boxes) and through the web page's
// PageSession. Prints each case's outcome as one JSON line and exits 1 where the page's
// differs from the desktop's. The web stage runs it native and as WebAssembly under node and
// requires the same lines; its browser check replays some of them in the page.
//   case_runner CASES_FILE

#include "form/form_controls.h"
#include "form/preset_buttons.h"
#include "storage/windows1252.h"
#include "web/page_json.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace vespera;

namespace {

// A message box, and whether it waits for a file to be written: the desktop shows a box that
// follows a write once the write is done, and so must the page.
struct Box {
  ShownBox shown;
  bool onceWritten = false;
};

struct Outcome {
  const FieldStore* fields = nullptr;
  std::vector<Box> boxes;
  std::vector<std::string> files;  // bytes
  WindowCommand command = WindowCommand::None;
};

std::string json(const std::string& name, const Outcome& outcome) {
  std::string line = R"({"case":)" + jsonString(name) + R"(,"fields":{)";
  for (const FieldRow& row : formFields()) {
    line += jsonString(row.control) + ':' + jsonString(outcome.fields->text(row.field)) + ',';
  }
  line.back() = '}';
  line += R"(,"boxes":[)";
  for (const auto& [box, onceWritten] : outcome.boxes) {
    line += R"({"prompt":)" + jsonString(box.prompt) + R"(,"title":)" + jsonString(box.title) +
            R"(,"icon":)" + jsonString(iconName(box.flags)) + R"(,"once written":)" +
            (onceWritten ? "true" : "false") + "},";
  }
  if (line.back() == ',') line.pop_back();
  line += R"(],"files":[)";
  for (const std::string& bytes : outcome.files) line += '"' + hexBytes(bytes) + "\",";
  if (line.back() == ',') line.pop_back();
  return line + R"(],"command":)" + jsonString(commandName(outcome.command)) + '}';
}

// The desktop's runtime as a handler meets it, without its dialogs and disk.
class DesktopRuntime final : public Runtime {
 public:
  DesktopRuntime(std::string_view localeSeparator, Outcome& outcome)
      : separator_(savableDecimalSeparator(localeSeparator)), outcome_(&outcome) {}
  void messageBox(std::string_view prompt, int flags, std::string_view title) override {
    outcome_->boxes.push_back(
        {{std::string(prompt), flags, std::string(boxTitle(title)), {}}, wroteInThisPress_});
  }
  std::string_view decimalSeparator() const override { return separator_; }
  // Every path opens but an empty one, as on a disk where the user may write anywhere.
  bool replaceFile(std::string_view path, std::string_view bytes) override {
    if (path.empty()) return false;
    outcome_->files.emplace_back(bytes);
    wroteInThisPress_ = true;
    return true;
  }
  void startPress() { wroteInThisPress_ = false; }

 private:
  std::string separator_;
  Outcome* outcome_;  // never null
  bool wroteInThisPress_ = false;
};

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') + 1 - first));
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(separator, at), text.size());
    parts.push_back(trimmed(text.substr(at, end - at)));
    at = end + 1;
  }
  return parts;
}

// One case: steps "press CONTROL" or "CONTROL=text". Returns whether both paths agree and,
// where `suggested` is given, the page suggests that name for its last file.
bool runCase(const std::string& name, const std::string& separator,
             const std::vector<std::string>& steps, const std::string& suggested) {
  std::string named;
  Outcome desktop;
  MemoryFieldStore store;
  showFreshCaptions(store);
  DesktopRuntime runtime(separator, desktop);
  desktop.fields = &store;
  Outcome page;
  PageSession session(separator);
  page.fields = &session.fields();
  for (const std::string& step : steps) {
    if (step.starts_with("press ")) {
      const std::string control = step.substr(6);
      runtime.startPress();
      desktop.command = pressControl(control, store, runtime);
      PressOutcome pressed = session.press(control);
      page.command = pressed.command;
      for (PageStep& shown : pressed.steps) {
        if (auto* box = std::get_if<ShownBox>(&shown)) page.boxes.push_back({std::move(*box)});
        // Once the browser has written the file, the page shows the box that followed.
        if (auto* file = std::get_if<Download>(&shown)) {
          page.files.push_back(std::move(file->bytes));
          named = file->fileName;
          if (file->written) page.boxes.push_back({std::move(*file->written), true});
        }
      }
    } else {
      const std::size_t equals = step.find('=');
      const auto field = fieldOfControl(step.substr(0, equals));
      if (!field) {
        std::fprintf(stderr, "no text box %s in case %s\n", step.substr(0, equals).c_str(),
                     name.c_str());
        return false;
      }
      store.setText(*field, step.substr(equals + 1));
      session.setText(step.substr(0, equals), step.substr(equals + 1));
    }
  }
  const std::string line = json(name, desktop);
  std::printf("%s\n", line.c_str());
  if (!suggested.empty() && named != suggested) {
    std::fprintf(stderr, "%s: the page suggests \"%s\", not \"%s\"\n", name.c_str(), named.c_str(),
                 suggested.c_str());
    return false;
  }
  if (line == json(name, page)) return true;
  std::fprintf(stderr, "the page differs from the desktop:\n%s\n", json(name, page).c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::ifstream table(argc == 2 ? argv[1] : "");
  if (!table) {
    std::fprintf(stderr, "usage: case_runner CASES_FILE\n");
    return 2;
  }
  bool agree = true;
  int cases = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> columns = split(line, '|');
    const std::vector<std::string> steps = split(columns.at(2), ';');
    // "press *" stands for each temperature button in turn.
    // NOLINTNEXTLINE(modernize-use-ranges): no range algorithms in Debian 12's emscripten
    const bool eachPreset = std::find(steps.begin(), steps.end(), "press *") != steps.end();
    for (const PresetButton& preset : presetButtons()) {
      std::vector<std::string> pressed = steps;
      // NOLINTNEXTLINE(modernize-use-ranges): no range algorithms in Debian 12's emscripten
      std::replace(pressed.begin(), pressed.end(), std::string("press *"),
                   "press " + preset.control);
      agree = runCase(columns[0] + (eachPreset ? ' ' + preset.control : ""), columns[1], pressed,
                      columns.size() > 3 ? columns[3] : std::string()) &&
              agree;
      ++cases;
      if (!eachPreset) break;
    }
  }
  std::fprintf(stderr, "%d cases, the page %s the desktop\n", cases,
               agree ? "agrees with" : "DIFFERS from");
  return agree && cases > 0 ? 0 : 1;
}
