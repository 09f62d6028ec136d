#pragma once

#include <QPushButton>

namespace vespera {

// A push button whose caption wraps at word boundaries onto further lines
// when it is wider than the button, as the form's long captions ("Salva
// Misura in C:\.... .txt", "Calcola (B-V)") are designed to.
class WrappingButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vespera
