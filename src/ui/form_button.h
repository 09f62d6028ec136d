// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace vespera {

// A button of the calculator form, in the classic look: a flat face inside a raised 3D edge,
// with no shading. The face is the desktop's button colour, or a colour of the button's own
// (a temperature preset, a grey button) with the light scheme's edge around it. A caption
// wider than the button wraps at word boundaries onto further lines, as the form's long
// captions ("Salva Misura in C:\.... .txt", "Calcola (B-V)") are designed to; a picture is
// drawn in the caption's colour.
class FormButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  // The face colour, and the text colour that reads on it.
  void setOwnColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintPicture(QPainter& painter, const QRect& area) const;

  bool ownColour_ = false;
};

}  // namespace vespera
