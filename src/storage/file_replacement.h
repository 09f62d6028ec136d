#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

namespace vespera {

// Writes the whole new content into a file that is open for writing; returns whether all
// of it went out.
using ContentWriter = std::function<bool(QIODevice& file)>;

// Makes what `writeContent` writes the whole content of the file at path (relative paths
// from the current folder), creating the file if needed. Returns whether it did.
//
// A failure never costs the user the earlier content: it goes to a temporary file beside
// the target, which replaces it only once complete and flushed. Where no temporary file
// can be made there but the target itself is writable, the target is written directly. A
// target that exists and is not a regular file (a device, a pipe) is always written
// directly and never replaced. Nothing stays open once this returns.
bool replaceFileContent(const QString& path, const ContentWriter& writeContent);

}  // namespace vespera
