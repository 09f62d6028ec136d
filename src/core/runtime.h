// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/app_identity.h"
#include "core/runtime_error.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vespera {

// Icons of a message box; every box has the OK button only.
enum MessageFlags : std::uint8_t {
  kNoIcon = 0,
  kCriticalIcon = 16,
  kInformationIcon = 64,
};

// What the handlers need from the environment they run in: modal message boxes, the report
// of an error no handler caught, the user's decimal separator, and the writing of a file.
// Texts are UTF-8. The desktop implements it with real dialogs and files, the tests and the
// batch tool with RecordingRuntime.
class Runtime {
 public:
  virtual ~Runtime() = default;
  // Shows a modal box and returns when the user has closed it. An empty title shows the
  // application title.
  virtual void messageBox(std::string_view prompt, int flags = kNoIcon,
                          std::string_view title = {}) = 0;
  // One message for an error that stopped a handler; the program goes on. Every front end
  // shows it in a box with the critical icon and the application title.
  virtual void reportError(const RuntimeError& error) {
    messageBox(error.message(), kCriticalIcon);
  }
  // One character, in UTF-8: "." or "," on most machines.
  virtual std::string_view decimalSeparator() const = 0;
  // Makes `bytes` the whole content of the file at `path`, as the user typed the path.
  // False when the file could not be written whole; its earlier content then stays.
  virtual bool replaceFile(std::string_view path, std::string_view bytes) = 0;
};

constexpr std::string_view boxTitle(std::string_view title) {
  return title.empty() ? kApplicationTitle : title;
}

}  // namespace vespera
