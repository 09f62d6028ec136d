#pragma once

#include "core/runtime.h"

#include <QLocale>

class QWidget;

namespace vespera {

// The runtime of the running program: real modal QMessageBoxes with the OK
// button only, and the decimal separator of the user's locale.
class QtRuntime : public Runtime {
 public:
  explicit QtRuntime(const QLocale& locale = QLocale::system());

  void messageBox(const QString& prompt, int flags, const QString& title) override;
  void reportError(const RuntimeError& error) override;
  QChar decimalSeparator() const override { return decimalSeparator_; }

 private:
  QChar decimalSeparator_;
};

}  // namespace vespera
