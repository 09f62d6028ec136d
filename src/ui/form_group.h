// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>

namespace vespera {

// A group of the calculator form: an etched frame with its caption drawn in the frame's
// top edge, on the group's own background.
class FormGroup : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vespera
