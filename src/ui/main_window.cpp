#include "ui/main_window.h"

#include "calc/presets.h"
#include "ui/about_box.h"
#include "ui/app_icon.h"
#include "ui/arrow_lines.h"
#include "ui/form1_layout.h"
#include "ui/form_widgets.h"
#include "ui/manual_window.h"
#include "ui/preset_grid.h"

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
namespace {

constexpr Twips kClientArea{0, 0, 11715, 6315};
constexpr FontChoice kPresetFont{"MS Sans Serif", 8.25};

}  // namespace

MainWindow::MainWindow(Runtime& runtime, WindowServices services, QWidget* parent)
    : QMainWindow(parent), runtime_(runtime), services_(services) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("VESPERA 3.3"));
  setWindowIcon(applicationIcon());

  auto* canvas = new QWidget(this);
  canvas->setObjectName(QStringLiteral("Form1Canvas"));
  applyFont(canvas, kWindowFont);
  setCentralWidget(canvas);
  buildForm(canvas);
  buildPresets(canvas);
  buildMenus();
  store_ = std::make_unique<WidgetFieldStore>(*this);
  store_->setText(Field::NomeFile, QStringLiteral("C:\\.txt"));
  chainTabOrder();

  // Resizing shows more or less of the same layout; nothing moves.
  const QSize client = kClientArea.toPixels().size();
  resize(client.width(), client.height() + menuBar()->sizeHint().height());
  // The menu bar's layout fixes the window's minimum size now, before the window exists, so
  // showing it sends the window system no change of size hints.
  layout()->activate();
  findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
}

void MainWindow::buildForm(QWidget* canvas) {
  QWidget* parents[4] = {canvas, nullptr, nullptr, nullptr};
  for (const FrameRow& row : form1Frames()) {
    QGroupBox* group = makeGroup(row, canvas);
    parents[static_cast<int>(row.frame)] = group;
    tabStops_.emplace_back(row.tabIndex, group);
  }
  const auto parentOf = [&](Parent parent) { return parents[static_cast<int>(parent)]; };

  // Labels first: where a heading's box overlaps a text box, the text box
  // stays in front of it.
  for (const LabelRow& row : form1Labels()) {
    tabStops_.emplace_back(row.tabIndex, makeLabel(row, parentOf(row.parent)));
  }
  new ArrowLines(kClientArea.toPixels(), canvas);
  for (const FieldRow& row : form1Fields()) {
    QLineEdit* box = makeFieldBox(row, parentOf(row.parent));
    tabStops_.emplace_back(row.tabIndex, box);
    nameForScreenReaders(box, row.heading);
  }
  for (const ButtonRow& row : form1Buttons()) {
    QPushButton* button = makeButton(row, parentOf(row.parent));
    tabStops_.emplace_back(row.tabIndex, button);
    if (row.handler) bind(button, row.handler);
    if (row.spokenName) button->setAccessibleName(QString::fromUtf8(row.spokenName));
  }
  connect(findChild<QPushButton*>(QStringLiteral("Command42")), &QPushButton::clicked, this,
          &MainWindow::Command42_Click);
}

void MainWindow::buildPresets(QWidget* canvas) {
  const auto presets = temperaturePresets();
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const TemperaturePreset& preset = presets[i];
    const PresetButtonLook look = presetButtonLook(i, preset);
    QPushButton* button = makeColouredButton(QStringLiteral("Command%1").arg(preset.button),
                                             QString::number(preset.kelvin), look.rect, kPresetFont,
                                             look.colour, canvas);
    tabStops_.emplace_back(look.tabIndex, button);
    button->setAccessibleName(QStringLiteral("%1 kelvin").arg(preset.kelvin));
    bind(button,
         [&preset](FieldStore& store, Runtime& runtime) { pressPreset(preset, store, runtime); });
  }
}

void MainWindow::buildMenus() {
  struct MenuItem {
    const char* menu;
    const char* menuCaption;
    const char* item;
    const char* itemCaption;
    void (MainWindow::*handler)();
  };
  static constexpr MenuItem kItems[] = {
      {"mnuFile", "&File", "mnuStampa", "&Stampa", &MainWindow::mnuStampa_Click},
      {"mnuAiuto", "&Aiuto", "mnuManuale", "&Manuale", &MainWindow::mnuManuale_Click},
      {"mnuAiuto", "&Aiuto", "mnuProdotto", "&Prodotto", &MainWindow::mnuProdotto_Click},
  };
  for (const MenuItem& entry : kItems) {
    auto* menu = menuBar()->findChild<QMenu*>(QString::fromUtf8(entry.menu));
    if (!menu) {
      menu = menuBar()->addMenu(QString::fromUtf8(entry.menuCaption));
      menu->setObjectName(QString::fromUtf8(entry.menu));
    }
    QAction* action = menu->addAction(QString::fromUtf8(entry.itemCaption));
    action->setObjectName(QString::fromUtf8(entry.item));
    connect(action, &QAction::triggered, this, entry.handler);
  }
}

// A box is named after the heading above it; the file-name box has none.
void MainWindow::nameForScreenReaders(QLineEdit* box, const char* heading) {
  if (!heading) {
    box->setAccessibleName(QStringLiteral("Percorso del file della misura"));
    return;
  }
  auto* label = findChild<QLabel*>(QString::fromUtf8(heading));
  label->setBuddy(box);
  box->setAccessibleName(label->text().trimmed());
}

void MainWindow::bind(QPushButton* button, Handler handler) {
  connect(button, &QPushButton::clicked, this,
          [this, handler = std::move(handler)] { runHandler(handler, *store_, runtime_); });
}

// Tab walks the controls in the order of their tab indices, which follows the
// control names rather than the screen; labels and groups take no focus.
void MainWindow::chainTabOrder() {
  std::sort(tabStops_.begin(), tabStops_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  QWidget* previous = nullptr;
  for (const auto& [index, widget] : tabStops_) {
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
}

void MainWindow::Command42_Click() {
  QApplication::closeAllWindows();
  QCoreApplication::exit(0);
}

// Prints the window at once on the default printer, with no dialog, as a user sees it at
// rest: its designed client area however large the window is, no focus frame, no text
// cursor. A missing or failing printer is reported and nothing else changes.
void MainWindow::mnuStampa_Click() {
  QPointer<QWidget> focused = focusWidget();
  if (focused) focused->clearFocus();
  const QImage image = centralWidget()->grab(kClientArea.toPixels()).toImage();
  if (focused) focused->setFocus();
  runHandler([&](FieldStore&, Runtime&) { services_.printer.printImage(image); }, *store_,
             runtime_);
}

void MainWindow::mnuManuale_Click() { (new ManualWindow())->show(); }

void MainWindow::mnuProdotto_Click() {
  (new AboutBox(services_.registry, services_.launcher, runtime_))->show();
}

}  // namespace vespera
