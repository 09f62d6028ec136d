// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/form_layout.h"
#include "form/preset_buttons.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vespera {

// Creates one control of the main window from its row of the layout tables,
// placed in pixels, with its own font and colour where it has one.
QLineEdit* makeFieldBox(const FieldRow& row, QWidget* parent);
QLabel* makeLabel(const LabelRow& row, QWidget* parent);
QGroupBox* makeGroup(const PanelRow& row, QWidget* parent);
QPushButton* makeButton(const ButtonRow& row, QWidget* parent);
QPushButton* makePresetButton(const PresetButton& preset, QWidget* parent);
void applyFont(QWidget* widget, const FontChoice& wanted);

}  // namespace vespera
