// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/page_session.h"

#include "form/about_layout.h"
#include "form/form_controls.h"
#include "storage/windows1252.h"

namespace vespera {
namespace {

// Records what the handlers show and write, for the page to replay in order.
class PageRuntime final : public Runtime {
 public:
  PageRuntime(const FieldStore& store, std::string_view separator, std::vector<PageStep>& steps)
      : store_(&store), separator_(separator), steps_(&steps) {}

  void messageBox(std::string_view prompt, int flags, std::string_view title) override {
    ShownBox box{std::string(prompt), flags, std::string(boxTitle(title)), {}};
    for (const Field field : kAllFields) box.fields[indexOf(field)] = store_->text(field);
    steps_->emplace_back(std::move(box));
  }
  std::string_view decimalSeparator() const override { return separator_; }
  bool replaceFile(std::string_view path, std::string_view bytes) override {
    std::string name = downloadName(path);
    if (name.empty()) return false;
    steps_->emplace_back(Download{std::move(name), std::string(bytes)});
    return true;
  }

 private:
  const FieldStore* store_;  // never null, as the references it is made from
  std::string_view separator_;
  std::vector<PageStep>* steps_;
};

}  // namespace

PageSession::PageSession(std::string_view localeSeparator)
    : separator_(savableDecimalSeparator(localeSeparator)) {
  showFreshCaptions(store_);
}

bool PageSession::setText(std::string_view control, std::string_view text) {
  const std::optional<Field> field = fieldOfControl(control);
  if (field) store_.setText(*field, std::string(text));
  return field.has_value();
}

PressOutcome PageSession::press(std::string_view control) {
  PressOutcome outcome;
  PageRuntime runtime(store_, separator_, outcome.steps);
  // A page cannot start the system's information tool.
  if (control == kAboutSystemInfoButton.control) {
    runtime.messageBox(kSystemInfoUnavailable, kNoIcon, {});
  } else {
    outcome.command = pressControl(control, store_, runtime);
  }
  return outcome;
}

std::string downloadName(std::string_view path) {
  const std::size_t folderEnd = path.find_last_of("\\/:");
  return std::string(folderEnd == std::string_view::npos ? path : path.substr(folderEnd + 1));
}

}  // namespace vespera
