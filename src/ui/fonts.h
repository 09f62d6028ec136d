#pragma once

namespace vespera {

// Maps the Windows fonts the windows are designed in to the metric-compatible
// or nearest free fonts Debian ships (Liberation, DejaVu, Comic Neue), so that
// sizes and weights survive where the originals are missing.
void installFontSubstitutes();

}  // namespace vespera
