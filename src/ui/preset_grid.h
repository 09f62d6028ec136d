#pragma once

#include "calc/presets.h"
#include "ui/form1_layout.h"

#include <QColor>

namespace vespera {

// Where a temperature button stands and how it looks. The 91 buttons fill a
// grid of seven columns, temperatures rising down each column and on to the
// next; the first three columns have seventeen rows, the last four only the
// lowest ten, below the command column.
struct PresetButtonLook {
  Twips rect;
  QColor colour;
  int tabIndex;
};

PresetButtonLook presetButtonLook(std::size_t indexByTemperature, const TemperaturePreset& preset);

}  // namespace vespera
