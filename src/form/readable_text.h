// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/form_layout.h"

namespace vespera {

// The window's own colours were chosen on a light desktop, for black text. Wherever a front
// end paints a colour of its own, the text on it must stay readable whatever the desktop's
// palette or the page's colour scheme: at least 4.5:1 as WCAG measures contrast.
inline constexpr double kReadableContrast = 4.5;
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// From 1 (the same luminance) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

// Black, the light scheme's text colour, or white where the colour is too dark for black.
Rgb textColourOn(Rgb background);

}  // namespace vespera
