// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/readable_colours.h"

#include "ui/twips.h"

namespace vespera {
namespace {

Rgb toRgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
  return vespera::contrastRatio(toRgb(a), toRgb(b));
}

QColor textColourOn(const QColor& background) {
  return toQColor(vespera::textColourOn(toRgb(background)));
}

}  // namespace vespera
