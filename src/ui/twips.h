// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/form_layout.h"

#include <QColor>
#include <QRect>

namespace vespera {

// Twips to pixels by the one rule of pixels() (form/form_layout.h).
constexpr QRect pixelRect(int left, int top, int width, int height) {
  return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

constexpr QRect pixelRect(const Twips& rect) {
  return pixelRect(rect.left, rect.top, rect.width, rect.height);
}

inline QColor toQColor(Rgb colour) { return {colour.red, colour.green, colour.blue}; }

// UTF-8 from the layout tables and the core, as Qt text.
inline QString qText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace vespera
