// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFileDevice>
#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

namespace vespera {

// Writes the whole new content into a file that is open for writing; returns whether all
// of it went out.
using ContentWriter = std::function<bool(QFileDevice& file)>;

// What to do when no temporary file can be made beside the target (a folder where the user
// may rewrite the file but create nothing).
enum class WithoutTemporaryFile : std::uint8_t {
  // Rewrite the target itself, putting its earlier bytes back if the write fails: for
  // contents small enough to hold in memory, such as one record.
  WriteInPlace,
  // Leave the target alone: for contents that may be larger than memory.
  Refuse,
};

// Whether writing may wait on the far end of a device: a pipe that nobody reads yet, or one
// too full to take more.
enum class DeviceWait : std::uint8_t {
  // A command in a pipeline waits for its reader, as the shell's redirection does.
  Allowed,
  // A window must not hang on a pipe that nobody reads: such a write fails at once.
  Never,
};

enum class Replacement : std::uint8_t { Done, Failed, NoTemporaryFile };

// Makes what `writeContent` writes the whole content of the file at path (relative paths
// from the current folder), creating the file if needed. A link is followed: the file it
// leads to is the one rewritten.
//
// A failure never costs the user the earlier content: it goes to a temporary file beside
// the target, which replaces it only once complete and on the disk. Where no temporary file
// can be made there, `without` decides. A target that exists and is not a regular file (a
// device, a pipe) is always written directly and never replaced; `wait` decides whether
// that may wait. Nothing stays open once this returns, also when writeContent throws. On a
// failure, `systemError` (when given) receives the errno of the call that failed, or 0 when
// the system gave none.
Replacement replaceFileContent(const QString& path, const ContentWriter& writeContent,
                               WithoutTemporaryFile without, DeviceWait wait,
                               int* systemError = nullptr);

// The folder the temporary file for `path` is made in: that of the file a link leads to.
QString replacementFolder(const QString& path);

// How the desktop writes a measurement file: the bytes become the whole content of the
// file at `path` (UTF-8, relative to the current folder), through a temporary file beside
// it, or in place where none can be made there; false when they could not be written
// whole, and then the file keeps its earlier content. A pipe is written only while its
// reader takes the bytes: one that nobody reads fails at once rather than hang the window.
bool writeRecordFile(std::string_view path, std::string_view bytes);

}  // namespace vespera
