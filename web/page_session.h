// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "form/form_layout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vespera {

// What the web page shows the user of one press, in order. A message box carries the
// fields as they stood when it opened: the desktop's boxes are modal, so a field written
// after a box appears only once the user has closed it.
struct ShownBox {
  std::string prompt;
  int flags = 0;
  std::string title;  // as shown: the application title where none was given
  std::array<std::string, kFieldCount> fields;
};

// A measurement file for the page to write where the user chooses, under the name it
// suggests. The page can only tell once the browser has answered whether it was written, so
// it shows the handler's own box that follows the write only then; on a failure it shows the
// desktop's failure box, and where the browser only downloads, a box that says so.
struct Download {
  std::string fileName;
  std::string bytes;
  std::optional<ShownBox> written;
  ShownBox failed;
  ShownBox handed;
};

using PageStep = std::variant<ShownBox, Download>;

struct PressOutcome {
  std::vector<PageStep> steps;
  WindowCommand command = WindowCommand::None;
};

// The calculator behind the web page: the window's fields, bound to the page's text boxes
// by their control names, and the same handlers the desktop runs when a control is pressed.
class PageSession {
 public:
  // The separator of the browser's language; results take the one the desktop would take.
  explicit PageSession(std::string_view localeSeparator);

  // Puts the text of the box with that control name ("Text2") into its field; false for a
  // name that is no field.
  bool setText(std::string_view control, std::string_view text);
  const FieldStore& fields() const { return store_; }

  // A button or menu item of the main window or the About box, as a click presses it.
  PressOutcome press(std::string_view control);

 private:
  MemoryFieldStore store_;
  std::string separator_;
};

}  // namespace vespera
