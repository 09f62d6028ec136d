#pragma once

#include "core/app_identity.h"
#include "core/runtime_error.h"

#include <QChar>
#include <QString>

namespace vespera {

// Icons of a message box; every box has the OK button only.
enum MessageFlags : int {
  kNoIcon = 0,
  kCriticalIcon = 16,
  kInformationIcon = 64,
};

// What the handlers need from the environment they run in: modal message
// boxes, the report of an error no handler caught, and the user's decimal
// separator. The application implements it with real dialogs, the tests with
// RecordingRuntime.
class Runtime {
 public:
  virtual ~Runtime() = default;
  // Shows a modal box and returns when the user has closed it. An empty title
  // shows the application title.
  virtual void messageBox(const QString& prompt, int flags = kNoIcon,
                          const QString& title = QString()) = 0;
  // One message for an error that stopped a handler; the program goes on.
  virtual void reportError(const RuntimeError& error) = 0;
  virtual QChar decimalSeparator() const = 0;
};

inline QString boxTitle(const QString& title) {
  return title.isEmpty() ? kApplicationTitle : title;
}

}  // namespace vespera
