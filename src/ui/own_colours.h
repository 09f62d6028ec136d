// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>

#include <functional>
#include <initializer_list>

class QWidget;

namespace vespera {

// What a widget changes in the desktop's palette: its colours of its own.
using PaletteLayer = std::function<void(QPalette&)>;

// Lays the layer over the desktop's palette for the widget now, and again whenever the widget's
// palette or the application's changes. A desktop's live switch of palette must not wash the
// window's own colours out (qt6ct, for one, sets its new palette on every widget of the
// program), and every role the layer leaves alone must follow the new palette.
void keepOwnColours(QWidget* widget, PaletteLayer layer);

// The background in a colour of the window's own, and the text colour that reads on it.
void layOwnColour(QPalette& palette, QPalette::ColorRole background, QPalette::ColorRole text,
                  const QColor& colour);

// The desktop's own colours for these roles, even inside a parent with colours of its own.
void layDesktopColours(QPalette& palette, std::initializer_list<QPalette::ColorRole> roles);

// Selected text in the desktop's colours where they read on each other, else in black or white.
void laySelectionReadable(QPalette& palette);

}  // namespace vespera
