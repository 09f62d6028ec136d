#pragma once

#include <QRect>

namespace vespera {

// The windows are designed in twips, 15 to a pixel at 96 dots per inch. Every position
// and length goes to the nearest pixel, by this one rule.
constexpr int pixels(int twips) { return (twips + 7) / 15; }

constexpr QRect pixelRect(int left, int top, int width, int height) {
  return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

}  // namespace vespera
