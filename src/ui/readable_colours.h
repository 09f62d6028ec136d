// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/readable_text.h"

#include <QColor>

namespace vespera {

// The rule of form/readable_text.h on Qt's colours.
double contrastRatio(const QColor& a, const QColor& b);

// Black, the light scheme's text colour, or white where the colour is too dark for black.
QColor textColourOn(const QColor& background);

}  // namespace vespera
