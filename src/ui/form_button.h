#pragma once

#include <QPushButton>

namespace vespera {

// A button of the calculator form. A caption wider than the button wraps at word
// boundaries onto further lines, as the form's long captions ("Salva Misura in C:\.... .txt",
// "Calcola (B-V)") are designed to. A button with a colour of its own (a temperature preset,
// a grey button) shows that colour flat inside a raised 3D edge, with no shading.
class FormButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  // The face colour, and the text colour that reads on it.
  void setOwnColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintFlat(QPainter& painter);

  bool ownColour_ = false;
};

}  // namespace vespera
