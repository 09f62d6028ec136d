#pragma once

#include <thread>

namespace vespera {

// Maps the Windows fonts the windows are designed in to the metric-compatible
// or nearest free fonts Debian ships (Liberation, DejaVu, Comic Neue), so that
// sizes and weights survive where the originals are missing.
void installFontSubstitutes();

// Reading the system's font configuration (a few dozen XML files) is the
// largest single cost before the first widget can measure its text. Where
// fontconfig is the font system, the returned thread reads it while the
// caller loads Qt's plugins and connects to the display; fontconfig keeps it
// for the whole process, and Qt's own call to FcInit then finds it ready.
// Join it before the first window is built.
std::jthread readFontConfigurationAhead();

}  // namespace vespera
