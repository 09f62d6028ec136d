#include "ui/qt_runtime.h"

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

QtRuntime::QtRuntime(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  decimalSeparator_ = point.isEmpty() ? QLatin1Char('.') : point.front();
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
