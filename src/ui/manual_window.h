// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

namespace vespera {

// The manual: the whole text in one label, in a window of fixed size that the
// user can only close; the text scrolls where the window is too small for it. Each
// use of the menu makes a new one, shown modeless; it deletes itself when closed
// and leaves any other open.
class ManualWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ManualWindow(QWidget* parent = nullptr);

 protected:
  // The manual handles no keys: Esc does not close it, only its close box does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fitToScreen();
};

}  // namespace vespera
