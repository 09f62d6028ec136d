#include "storage/file_replacement.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vespera {
namespace {

// For targets that must keep their identity: renaming a new file over
// /dev/full, which root may do, would replace the device itself.
bool writeInPlace(const QString& path, const ContentWriter& writeContent) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const bool written = writeContent(file) && file.flush();
  file.close();
  return written && file.error() == QFileDevice::NoError;
}

}  // namespace

bool replaceFileContent(const QString& path, const ContentWriter& writeContent) {
  if (path.isEmpty()) return false;
  // A folder lands here too and fails at the open.
  const QFileInfo target(path);
  if (target.exists() && !target.isFile()) return writeInPlace(path, writeContent);

  QSaveFile file(path);
  // A folder where the user may write the file but not create a temporary
  // one beside it: writing in place is the only way the save can succeed.
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // QSaveFile buffers what it is given, so a disk that fills up shows only
  // when the buffer goes out. commit() does not notice a failure then (Qt 6.4
  // puts the cut-off file in place and reports success), so the buffer is
  // written out and checked while the target is still untouched.
  if (!writeContent(file) || !file.flush()) {
    file.cancelWriting();  // the temporary file is removed, the target untouched
    return false;
  }
  return file.commit();
}

}  // namespace vespera
