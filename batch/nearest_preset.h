#pragma once

#include "calc/presets.h"

namespace vespera {

// The temperature button a user would press for a star of this temperature:
// the one whose caption is nearest to it. Halfway between two buttons the
// cooler one is taken (3300 K presses 3200). Beyond the ends of the row the
// end button is taken (500 K presses 1000, 60000 K presses 43000).
const TemperaturePreset& nearestPreset(double kelvin);

}  // namespace vespera
