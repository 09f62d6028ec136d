// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace vespera {

// The seven lines that draw the form's two arrows. They lie above the labels
// they start from and beneath the boxes and buttons, and let every click
// through.
class ArrowLines : public QWidget {
 public:
  ArrowLines(const QRect& clientArea, QWidget* canvas);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vespera
