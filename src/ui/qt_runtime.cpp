#include "ui/qt_runtime.h"

#include "storage/windows1252.h"

#include <QApplication>
#include <QMessageBox>

namespace vespera {
namespace {

QMessageBox::Icon iconFor(int flags) {
  switch (flags) {
    case kCriticalIcon: return QMessageBox::Critical;
    case kInformationIcon: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

// The program's own numbers must always be savable: where the user's decimal separator has
// no byte in the measurement file's code page (the Arabic U+066B), they take the period.
QtRuntime::QtRuntime(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  const bool savable = point.size() == 1 && encodeWindows1252(point).has_value();
  decimalSeparator_ = savable ? point.front() : QLatin1Char('.');
}

void QtRuntime::messageBox(const QString& prompt, int flags, const QString& title) {
  QMessageBox box(iconFor(flags), boxTitle(title), prompt, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("runtimeMessageBox"));
  box.exec();
}

void QtRuntime::reportError(const RuntimeError& error) {
  messageBox(error.message(), kCriticalIcon, QString());
}

}  // namespace vespera
