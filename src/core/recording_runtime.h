#pragma once

#include "core/runtime.h"

#include <QList>

namespace vespera {

// A runtime that shows nothing and remembers every box and error report, for
// tests and for tools without a window.
class RecordingRuntime : public Runtime {
 public:
  struct Message {
    QString prompt;
    int flags = kNoIcon;
    QString title;  // as shown: the application title where none was given
  };

  explicit RecordingRuntime(QChar decimalSeparator = QLatin1Char('.'))
      : decimalSeparator_(decimalSeparator) {}

  void messageBox(const QString& prompt, int flags, const QString& title) override {
    messages.append({prompt, flags, boxTitle(title)});
  }
  void reportError(const RuntimeError& error) override { errors.append(error.message()); }
  QChar decimalSeparator() const override { return decimalSeparator_; }

  QList<Message> messages;
  QList<QString> errors;

 private:
  QChar decimalSeparator_;
};

}  // namespace vespera
