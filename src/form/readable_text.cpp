// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/readable_text.h"

#include <algorithm>
#include <cmath>

namespace vespera {
namespace {

// WCAG's relative luminance of an sRGB colour.
double luminance(Rgb colour) {
  const auto linear = [](int channel) {
    const double share = channel / 255.0;
    return share <= 0.03928 ? share / 12.92 : std::pow((share + 0.055) / 1.055, 2.4);
  };
  return (0.2126 * linear(colour.red)) + (0.7152 * linear(colour.green)) +
         (0.0722 * linear(colour.blue));
}

}  // namespace

double contrastRatio(Rgb a, Rgb b) {
  const double first = luminance(a);
  const double second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

Rgb textColourOn(Rgb background) {
  return contrastRatio(kBlack, background) >= kReadableContrast ? kBlack : kWhite;
}

}  // namespace vespera
