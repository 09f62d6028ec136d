// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/runtime.h"
#include "platform/launcher.h"
#include "platform/registry.h"

#include <QDialog>

#include <utility>
#include <vector>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace vespera {

// The About box: title, version, who wrote the program, and a button that
// starts the system's information tool. Each use of the menu makes a new one,
// shown modeless; it deletes itself when closed and leaves any other open.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  AboutBox(Registry& registry, Launcher& launcher, Runtime& runtime, QWidget* parent = nullptr);

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

 protected:
  // Esc presses OK, as Enter does through the default button.
  void keyPressEvent(QKeyEvent* event) override;
  // A new font fits the texts again.
  void changeEvent(QEvent* event) override;

 private:
  void buildControls();
  void place(QWidget* control, const QRect& designed);
  void fitToFont();

  Registry& registry_;
  Launcher& launcher_;
  Runtime& runtime_;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  std::vector<std::pair<QWidget*, QRect>> designed_;  // each control's place at the design font
};

}  // namespace vespera
