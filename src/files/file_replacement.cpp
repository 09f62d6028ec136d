#include "files/file_replacement.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace vespera {
namespace {

// For targets that must keep their identity: renaming a new file over
// /dev/full, which root may do, would replace the device itself.
Replacement writeDevice(const QString& path, const ContentWriter& writeContent) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return Replacement::Failed;
  const bool written = writeContent(file) && file.flush();
  file.close();
  return written && file.error() == QFileDevice::NoError ? Replacement::Done : Replacement::Failed;
}

// The new content is written over the old from the start, and the file cut to its length
// only once all of it is out. When a write fails (a full disk, a file size limit), the
// earlier bytes are written back over what was changed, which needs no more room than the
// file had.
Replacement writeInPlaceKeepingEarlier(const QString& path, const ContentWriter& writeContent) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) return Replacement::Failed;
  const QByteArray earlier = file.readAll();
  if (file.error() != QFileDevice::NoError || !file.seek(0)) return Replacement::Failed;
  if (writeContent(file) && file.resize(file.pos())) return Replacement::Done;
  file.unsetError();
  file.seek(0);
  file.write(earlier);
  file.resize(earlier.size());
  return Replacement::Failed;
}

}  // namespace

Replacement replaceFileContent(const QString& path, const ContentWriter& writeContent,
                               WithoutTemporaryFile without) {
  if (path.isEmpty()) return Replacement::Failed;
  // A folder lands here too and fails at the open.
  const QFileInfo target(path);
  if (target.exists() && !target.isFile()) return writeDevice(path, writeContent);

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    const bool folderLocked =
        ::access(QFile::encodeName(target.absolutePath()).constData(), W_OK) != 0 &&
        QFileInfo(target.absolutePath()).isDir();
    if (!folderLocked) return Replacement::Failed;
    if (without == WithoutTemporaryFile::Refuse) return Replacement::NoTemporaryFile;
    return target.exists() ? writeInPlaceKeepingEarlier(path, writeContent) : Replacement::Failed;
  }
  // QSaveFile buffers what it is given, so a disk that fills up shows only
  // when the buffer goes out. commit() does not notice a failure then (Qt 6.4
  // puts the cut-off file in place and reports success), so the buffer is
  // written out and checked while the target is still untouched. On any failure,
  // and when writeContent throws, QSaveFile removes the temporary file.
  if (!writeContent(file) || !file.flush()) {
    file.cancelWriting();
    return Replacement::Failed;
  }
  return file.commit() ? Replacement::Done : Replacement::Failed;
}

}  // namespace vespera
