// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/main_window.h"

#include "form/form_layout.h"
#include "form/preset_buttons.h"
#include "ui/about_box.h"
#include "ui/app_icon.h"
#include "ui/arrow_lines.h"
#include "ui/form_widgets.h"
#include "ui/manual_window.h"
#include "ui/twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

namespace vespera {

MainWindow::MainWindow(Runtime& runtime, WindowServices services, QWidget* parent)
    : QMainWindow(parent), runtime_(runtime), services_(services) {
  setObjectName(qText(kFormControl));
  setWindowTitle(qText(kFormTitle));
  setWindowIcon(applicationIcon());

  auto* canvas = new QWidget(this);
  canvas->setObjectName(qText(kFormControl) + QStringLiteral("Canvas"));
  applyFont(canvas, kWindowFont);
  setCentralWidget(canvas);
  buildForm(canvas);
  buildPresets(canvas);
  buildMenus();
  store_ = std::make_unique<WidgetFieldStore>(*this);
  store_->setText(Field::FileName, std::string(kDefaultFileName));
  chainTabOrder();

  // Resizing shows more or less of the same layout; nothing moves.
  const QSize client = pixelRect(kClientArea).size();
  resize(client.width(), client.height() + menuBar()->sizeHint().height());
  // The menu bar's layout fixes the window's minimum size now, before the window exists, so
  // showing it sends the window system no change of size hints.
  layout()->activate();
}

void MainWindow::buildForm(QWidget* canvas) {
  QWidget* parents[4] = {canvas, nullptr, nullptr, nullptr};
  for (const PanelRow& row : formPanels()) {
    QGroupBox* group = makeGroup(row, canvas);
    parents[static_cast<int>(row.panel)] = group;
    tabStops_.emplace_back(row.tabIndex, group);
  }
  const auto parentOf = [&](Parent parent) { return parents[static_cast<int>(parent)]; };

  // Labels first: where a heading's box overlaps a text box, the text box
  // stays in front of it.
  for (const LabelRow& row : formLabels()) {
    tabStops_.emplace_back(row.tabIndex, makeLabel(row, parentOf(row.parent)));
  }
  new ArrowLines(pixelRect(kClientArea), canvas);
  for (const FieldRow& row : formFields()) {
    QLineEdit* box = makeFieldBox(row, parentOf(row.parent));
    tabStops_.emplace_back(row.tabIndex, box);
    nameForScreenReaders(box, row);
  }
  for (const ButtonRow& row : formButtons()) {
    QPushButton* button = makeButton(row, parentOf(row.parent));
    tabStops_.emplace_back(row.tabIndex, button);
    bind(button, row.action);
    if (row.spokenName) button->setAccessibleName(QString::fromUtf8(row.spokenName));
  }
}

void MainWindow::buildPresets(QWidget* canvas) {
  for (const PresetButton& preset : presetButtons()) {
    QPushButton* button = makePresetButton(preset, canvas);
    tabStops_.emplace_back(preset.tabIndex, button);
    const TemperaturePreset& pressed = *preset.preset;
    const auto press = [&pressed](FieldStore& store, Runtime& runtime) {
      pressPreset(pressed, store, runtime);
    };
    connect(button, &QPushButton::clicked, this,
            [this, press] { runHandler(press, *store_, runtime_); });
  }
}

void MainWindow::buildMenus() {
  for (const MenuRow& entry : formMenus()) {
    auto* menu = menuBar()->findChild<QMenu*>(QString::fromUtf8(entry.menuControl));
    if (!menu) {
      menu = menuBar()->addMenu(QString::fromUtf8(entry.menuCaption));
      menu->setObjectName(QString::fromUtf8(entry.menuControl));
    }
    QAction* action = menu->addAction(QString::fromUtf8(entry.itemCaption));
    action->setObjectName(QString::fromUtf8(entry.itemControl));
    connect(action, &QAction::triggered, this, [this, command = entry.command] { run(command); });
  }
}

// A box is named after the heading above it, unless the heading alone would not tell it
// from another box ("Kilometri"); the file-name box has none.
void MainWindow::nameForScreenReaders(QLineEdit* box, const FieldRow& row) {
  if (!row.heading) {
    box->setAccessibleName(qText(kFileNameSpokenName));
    return;
  }
  auto* label = findChild<QLabel*>(qText(controlOf(*row.heading)));
  label->setBuddy(box);
  box->setAccessibleName(row.spokenName ? QString::fromUtf8(row.spokenName)
                                        : label->text().trimmed());
}

void MainWindow::bind(QPushButton* button, const Action& action) {
  connect(button, &QPushButton::clicked, this, [this, action] {
    if (action.handler) {
      runHandler(action.handler, *store_, runtime_);
    } else {
      run(action.command);
    }
  });
}

void MainWindow::run(WindowCommand command) {
  switch (command) {
    case WindowCommand::Exit: exitProgram(); break;
    case WindowCommand::Print: printWindow(); break;
    case WindowCommand::OpenManual: openManual(); break;
    case WindowCommand::OpenAbout: openAbout(); break;
    case WindowCommand::None: break;
  }
}

// Tab walks the controls in the order of their tab indices, which follows the
// control names rather than the screen; labels and groups take no focus.
void MainWindow::chainTabOrder() {
  std::ranges::sort(tabStops_, {}, [](const auto& stop) { return stop.first; });
  QWidget* previous = nullptr;
  for (const auto& [index, widget] : tabStops_) {
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) {
      setTabOrder(previous, widget);
    } else {
      widget->setFocus();  // the window opens on the first control in tab order
    }
    previous = widget;
  }
}

void MainWindow::exitProgram() {
  QApplication::closeAllWindows();
  QCoreApplication::exit(0);
}

// Prints the window at once on the default printer, with no dialog, as a user sees it at
// rest: its designed client area however large the window is, no focus frame, no text
// cursor. A missing or failing printer is reported and nothing else changes.
void MainWindow::printWindow() {
  QPointer<QWidget> focused = focusWidget();
  if (focused) focused->clearFocus();
  const QImage image = centralWidget()->grab(pixelRect(kClientArea)).toImage();
  if (focused) focused->setFocus();
  runHandler([&](FieldStore&, Runtime&) { services_.printer->printImage(image); }, *store_,
             runtime_);
}

void MainWindow::openManual() { (new ManualWindow())->show(); }

void MainWindow::openAbout() {
  (new AboutBox(*services_.registry, *services_.launcher, runtime_))->show();
}

}  // namespace vespera
