// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/runtime.h"

#include <QLocale>

#include <string>

class QWidget;

namespace vespera {

// The runtime of the running program: real modal QMessageBoxes with the OK button only,
// the decimal separator of the user's locale, and files written on disk.
class QtRuntime : public Runtime {
 public:
  explicit QtRuntime(const QLocale& locale = QLocale::system());

  void messageBox(std::string_view prompt, int flags, std::string_view title) override;
  std::string_view decimalSeparator() const override { return decimalSeparator_; }
  bool replaceFile(std::string_view path, std::string_view bytes) override;

 private:
  std::string decimalSeparator_;
};

}  // namespace vespera
