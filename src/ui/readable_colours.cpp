#include "ui/readable_colours.h"

#include <algorithm>
#include <cmath>

namespace vespera {
namespace {

// WCAG's relative luminance of an sRGB colour.
double luminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
  const double first = luminance(a);
  const double second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor textColourOn(const QColor& background) {
  return contrastRatio(Qt::black, background) >= kReadableContrast ? QColor(Qt::black)
                                                                   : QColor(Qt::white);
}

}  // namespace vespera
