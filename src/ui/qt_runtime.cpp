#include "ui/qt_runtime.h"

#include "files/record_file_writer.h"
#include "storage/windows1252.h"
#include "ui/twips.h"

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
  const std::string point = locale.decimalPoint().toStdString();
  const bool savable = QString::fromStdString(point).size() == 1 && encodeWindows1252(point);
  decimalSeparator_ = savable ? point : ".";
}

void QtRuntime::messageBox(std::string_view prompt, int flags, std::string_view title) {
  QMessageBox box(iconFor(flags), qText(boxTitle(title)), qText(prompt), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("runtimeMessageBox"));
  box.exec();
}

void QtRuntime::reportError(const RuntimeError& error) {
  messageBox(error.message(), kCriticalIcon, {});
}

bool QtRuntime::replaceFile(std::string_view path, std::string_view bytes) {
  return writeRecordFile(path, bytes);
}

}  // namespace vespera
