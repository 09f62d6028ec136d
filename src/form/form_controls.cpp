// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form_controls.h"

#include "core/handler.h"
#include "form/preset_buttons.h"

namespace vespera {

WindowCommand pressControl(std::string_view control, FieldStore& store, Runtime& runtime) {
  for (const ButtonRow& row : formButtons()) {
    if (row.control != control) continue;
    if (row.action.handler) runHandler(row.action.handler, store, runtime);
    return row.action.command;
  }
  for (const MenuRow& row : formMenus()) {
    if (row.itemControl == control) return row.command;
  }
  for (const PresetButton& button : presetButtons()) {
    if (button.control != control) continue;
    const TemperaturePreset& preset = *button.preset;
    runHandler([&preset](FieldStore& fields, Runtime& run) { pressPreset(preset, fields, run); },
               store, runtime);
  }
  return WindowCommand::None;
}

void showFreshCaptions(MemoryFieldStore& store) {
  for (const LabelRow& row : formLabels()) store.setCaption(row.caption, row.text);
  for (const PanelRow& row : formPanels()) store.setCaption(row.caption, row.text);
}

}  // namespace vespera
