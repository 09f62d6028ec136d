// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/presets.h"
#include "form/form_layout.h"

#include <span>
#include <string>

namespace vespera {

// A temperature button as it stands on the window. The 91 buttons fill a grid of seven
// columns, temperatures rising down each column and on to the next; the first three
// columns have seventeen rows, the last four only the lowest ten, below the command column.
struct PresetButton {
  std::string control;     // "Command55"
  std::string caption;     // the temperature, "5750"
  std::string spokenName;  // "5750 kelvin"
  const TemperaturePreset* preset;
  Twips rect;
  Rgb colour;  // from dark red for the coolest stars to dark purple for the hottest
  int tabIndex;
};

inline constexpr FontChoice kPresetFont{"MS Sans Serif", 8.25};

// The 91 buttons, coolest first, as temperaturePresets() lists their presets.
std::span<const PresetButton> presetButtons();

}  // namespace vespera
