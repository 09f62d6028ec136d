// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/file_replacement.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vespera {
namespace {

// Sends what was written to the disk and waits for it to be there. A write error may show
// only then (a network file system, a disk failing at writeback); QSaveFile::commit() syncs
// too but ignores the result (Qt 6.4), so the temporary file is synced here before it may
// replace anything.
bool syncToDisk(QFileDevice& file) {
#ifdef _WIN32
  return file.flush() && ::_commit(file.handle()) == 0;
#else
  return file.flush() && ::fsync(file.handle()) == 0;
#endif
}

// The file `path` leads to: a link is followed, so that the file it names is the one
// rewritten and its folder the one the temporary file goes to, as QSaveFile does.
QFileInfo resolved(const QString& path) {
  const QString target = QFileInfo(path).canonicalFilePath();
  return QFileInfo(target.isEmpty() ? path : target);
}

// Whether a temporary file cannot be made beside the target only because its folder takes
// no new files, while the target itself may be rewritten.
bool onlyTheFolderRefuses(const QFileInfo& target) {
#ifdef _WIN32
  // Windows' access() says only whether a folder is there (its read-only flag does not stop
  // new files): what refuses new files is the folder's access list, which only trying tells.
  // QSaveFile has just tried, so an existing target that opens for writing is the answer
  // (without truncation, nothing changes).
  QFile probe(target.filePath());
  return target.isFile() && probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
#else
  return ::access(QFile::encodeName(target.absolutePath()).constData(), W_OK) != 0 &&
         QFileInfo(target.absolutePath()).isDir();
#endif
}

// For targets that must keep their identity: renaming a new file over
// /dev/full, which root may do, would replace the device itself.
Replacement writeDevice(const QString& path, const ContentWriter& writeContent, DeviceWait wait) {
  QFile file;
#ifdef _WIN32
  // Opening a pipe that no server holds fails at once: nothing waits.
  static_cast<void>(wait);
  file.setFileName(path);
  const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
#else
  // Opening a pipe for writing waits for a reader, and a full one makes writes wait. Opened
  // without blocking, and kept so, both fail at once instead (ENXIO, EAGAIN).
  const int flags = O_WRONLY | O_TRUNC | O_CLOEXEC | (wait == DeviceWait::Never ? O_NONBLOCK : 0);
  const int descriptor = ::open(QFile::encodeName(path).constData(), flags);
  const bool opened =
      descriptor >= 0 && file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
#endif
  if (!opened) return Replacement::Failed;
  const bool written = writeContent(file) && file.flush();
  file.close();
  return written && file.error() == QFileDevice::NoError ? Replacement::Done : Replacement::Failed;
}

// The new content is written over the old from the start, and the file cut to its length
// only once all of it is out. When a write fails (a full disk, a file size limit, the
// sync), the earlier bytes are written back over what was changed, which needs no more room
// than the file had.
Replacement writeInPlaceKeepingEarlier(const QString& path, const ContentWriter& writeContent) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) return Replacement::Failed;
  const QByteArray earlier = file.readAll();
  if (file.error() != QFileDevice::NoError || !file.seek(0)) return Replacement::Failed;
  if (writeContent(file) && file.resize(file.pos()) && syncToDisk(file)) return Replacement::Done;
  const int failure = errno;
  file.unsetError();
  file.seek(0);
  file.write(earlier);
  file.resize(earlier.size());
  syncToDisk(file);
  errno = failure;
  return Replacement::Failed;
}

Replacement replace(const QString& path, const ContentWriter& writeContent,
                    WithoutTemporaryFile without, DeviceWait wait) {
  if (path.isEmpty()) return Replacement::Failed;
  // A folder lands here too and fails at the open.
  const QFileInfo target = resolved(path);
  if (target.exists() && !target.isFile()) return writeDevice(path, writeContent, wait);

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    int failure = errno;
    // Qt's file engine for Windows leaves errno alone: a missing folder still has a reason.
    if (failure == 0 && !QFileInfo(target.absolutePath()).isDir()) failure = ENOENT;
    if (!onlyTheFolderRefuses(target)) return errno = failure, Replacement::Failed;
    if (without == WithoutTemporaryFile::Refuse) return Replacement::NoTemporaryFile;
    return target.exists() ? writeInPlaceKeepingEarlier(path, writeContent) : Replacement::Failed;
  }
  // QSaveFile buffers what it is given, so a disk that fills up shows only when the buffer
  // goes out, and commit() does not notice a failure then (Qt 6.4 puts the cut-off file in
  // place and reports success): the buffer is written out and synced while the target is
  // still untouched. On any failure, and when writeContent throws, QSaveFile removes the
  // temporary file.
  if (!writeContent(file) || !syncToDisk(file)) {
    const int failure = errno;
    file.cancelWriting();
    errno = failure;
    return Replacement::Failed;
  }
  return file.commit() ? Replacement::Done : Replacement::Failed;
}

}  // namespace

Replacement replaceFileContent(const QString& path, const ContentWriter& writeContent,
                               WithoutTemporaryFile without, DeviceWait wait, int* systemError) {
  errno = 0;
  const Replacement replaced = replace(path, writeContent, without, wait);
  if (systemError != nullptr) *systemError = replaced == Replacement::Failed ? errno : 0;
  return replaced;
}

QString replacementFolder(const QString& path) { return resolved(path).absolutePath(); }

bool writeRecordFile(std::string_view path, std::string_view bytes) {
  const auto writeBytes = [bytes](QFileDevice& file) {
    return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
  };
  return replaceFileContent(QString::fromUtf8(path.data(), qsizetype(path.size())), writeBytes,
                            WithoutTemporaryFile::WriteInPlace,
                            DeviceWait::Never) == Replacement::Done;
}

}  // namespace vespera
