// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/runtime.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vespera {

// A runtime that shows nothing and remembers every box, error report and file, for tests
// and for tools without a window. Files go into `files`, unless a writer is given that
// writes them for real.
class RecordingRuntime : public Runtime {
 public:
  struct Message {
    std::string prompt;
    int flags = kNoIcon;
    std::string title;  // as shown: the application title where none was given
  };
  using FileWriter = std::function<bool(std::string_view path, std::string_view bytes)>;

  explicit RecordingRuntime(std::string decimalSeparator = ".", FileWriter writer = {})
      : decimalSeparator_(std::move(decimalSeparator)), writer_(std::move(writer)) {}

  void messageBox(std::string_view prompt, int flags, std::string_view title) override {
    messages.push_back({std::string(prompt), flags, std::string(boxTitle(title))});
  }
  void reportError(const RuntimeError& error) override { errors.push_back(error.message()); }
  std::string_view decimalSeparator() const override { return decimalSeparator_; }
  bool replaceFile(std::string_view path, std::string_view bytes) override {
    if (writer_) return writer_(path, bytes);
    files[std::string(path)] = bytes;
    return true;
  }

  std::vector<Message> messages;
  std::vector<std::string> errors;
  std::map<std::string, std::string> files;

 private:
  std::string decimalSeparator_;
  FileWriter writer_;
};

}  // namespace vespera
