#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

namespace vespera {

// How the bytes reach a file once it is open. The program always uses
// writeAllBytes; tests put in one that fails half-way, as a full disk does.
using ByteWriter = std::function<bool(QIODevice& file, const QByteArray& bytes)>;
bool writeAllBytes(QIODevice& file, const QByteArray& bytes);

// Makes bytes the whole content of the file at path (relative paths from the
// current folder), creating the file if needed. Returns whether it did.
//
// A failure never costs the user an earlier save: the bytes go to a temporary
// file beside the target, which replaces it only once complete. Where no
// temporary file can be made there but the target itself is writable, the
// target is written directly. A target that exists and is not a regular file
// (a device, a pipe) is always written directly and never replaced. Nothing
// stays open once this returns.
bool replaceFileContent(const QString& path, const QByteArray& bytes,
                        const ByteWriter& writer = writeAllBytes);

}  // namespace vespera
