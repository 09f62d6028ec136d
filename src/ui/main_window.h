// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/handler.h"
#include "form/form_layout.h"
#include "ui/widget_field_store.h"
#include "ui/window_services.h"

#include <QMainWindow>

#include <memory>

class QLineEdit;
class QPushButton;

namespace vespera {

// The calculator form "VESPERA 3.3": the widgets of the layout tables, each
// button bound to its handler, the menu bar. Handlers run through runHandler,
// so an error they raise is reported and the window stays usable. The manual
// windows and About boxes it opens have no owner: they outlive it, and the
// program runs until the last window closes.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(Runtime& runtime, WindowServices services, QWidget* parent = nullptr);

  FieldStore& fields() { return *store_; }

 private:
  void buildForm(QWidget* canvas);
  void buildPresets(QWidget* canvas);
  void buildMenus();
  void bind(QPushButton* button, const Action& action);
  void nameForScreenReaders(QLineEdit* box, const FieldRow& row);
  void chainTabOrder();

  void run(WindowCommand command);
  void exitProgram();
  void printWindow();
  void openManual();
  void openAbout();

  Runtime& runtime_;
  WindowServices services_;
  std::unique_ptr<WidgetFieldStore> store_;
  std::vector<std::pair<int, QWidget*>> tabStops_;
};

}  // namespace vespera
