#pragma once

#include <string_view>

namespace vespera {

// How the desktop writes a measurement file: the bytes become the whole content of the
// file at `path` (UTF-8, relative to the current folder), through a temporary file beside
// it, or in place where none can be made there; false when they could not be written
// whole, and then the file keeps its earlier content. A pipe is written only while its
// reader takes the bytes: one that nobody reads fails at once rather than hang the window.
bool writeRecordFile(std::string_view path, std::string_view bytes);

}  // namespace vespera
