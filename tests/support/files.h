// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>

namespace vespera {

// A whole file's bytes, or "(unreadable)".
inline QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Makes bytes the whole content of the file at path; false when it could not.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace vespera
