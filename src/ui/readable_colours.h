#pragma once

#include <QColor>

namespace vespera {

// The window's own colours were chosen on a light desktop, for black text. Wherever it
// paints a colour of its own, the text on it must stay readable whatever the desktop's
// palette: at least 4.5:1 as WCAG measures contrast.
inline constexpr double kReadableContrast = 4.5;

double contrastRatio(const QColor& a, const QColor& b);

// Black, the light scheme's text colour, or white where the colour is too dark for black.
QColor textColourOn(const QColor& background);

}  // namespace vespera
