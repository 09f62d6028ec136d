// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt_runtime.h"

#include "files/file_replacement.h"
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

QtRuntime::QtRuntime(const QLocale& locale)
    : decimalSeparator_(savableDecimalSeparator(locale.decimalPoint().toStdString())) {}

void QtRuntime::messageBox(std::string_view prompt, int flags, std::string_view title) {
  QMessageBox box(iconFor(flags), qText(boxTitle(title)), qText(prompt), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("runtimeMessageBox"));
  box.exec();
}

bool QtRuntime::replaceFile(std::string_view path, std::string_view bytes) {
  return writeRecordFile(path, bytes);
}

}  // namespace vespera
