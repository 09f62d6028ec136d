#pragma once

#include "form/readable_text.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace vespera {

// The rule of form/readable_text.h on Qt's colours.
double contrastRatio(const QColor& a, const QColor& b);

// Black, the light scheme's text colour, or white where the colour is too dark for black.
QColor textColourOn(const QColor& background);

// Gives the widget its own background colour and the text colour that reads on it.
void paintOwnColour(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text,
                    const QColor& colour);

// Selected text of a text box: the desktop's colours, where they read on each other.
void keepSelectionReadable(QWidget* box);

}  // namespace vespera
