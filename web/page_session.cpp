// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/page_session.h"

#include "form/about_layout.h"
#include "form/form_controls.h"
#include "storage/measurement_file.h"
#include "storage/windows1252.h"
#include "web/save_name.h"

namespace vespera {
namespace {

// Where the browser cannot write a file the user chose, it downloads it: the page cannot
// know where, or whether, the file lands.
constexpr std::string_view kHandedToBrowser =
    "Il file \"%1\" \u00E8 stato consegnato al browser per lo scaricamento.";

// Records what the handlers show and write, for the page to replay in order.
class PageRuntime final : public Runtime {
 public:
  ShownBox shownBox(std::string_view prompt, int flags, std::string_view title) const {
    ShownBox box{std::string(prompt), flags, std::string(boxTitle(title)), {}};
    for (const Field field : kAllFields) box.fields[indexOf(field)] = store_->text(field);
    return box;
  }

  PageRuntime(const FieldStore& store, std::string_view separator, std::vector<PageStep>& steps)
      : store_(&store), separator_(separator), steps_(&steps) {}

  void messageBox(std::string_view prompt, int flags, std::string_view title) override {
    ShownBox box = shownBox(prompt, flags, title);
    // The box that follows a write waits for the browser's answer.
    auto* download = steps_->empty() ? nullptr : std::get_if<Download>(&steps_->back());
    if (download && !download->written) {
      download->written = std::move(box);
    } else {
      steps_->emplace_back(std::move(box));
    }
  }
  std::string_view decimalSeparator() const override { return separator_; }
  // The desktop cannot open an empty path; any other path names a file the user may save.
  bool replaceFile(std::string_view path, std::string_view bytes) override {
    if (path.empty()) return false;
    std::string name = suggestedFileName(path);
    std::string handed(kHandedToBrowser);
    handed.replace(handed.find("%1"), 2, name);
    steps_->emplace_back(Download{std::move(name), std::string(bytes), std::nullopt,
                                  shownBox(kSaveFailed, kCriticalIcon, kSaveTitle),
                                  shownBox(handed, kInformationIcon, kSaveTitle)});
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

}  // namespace vespera
