#include "nearest_preset.h"

#include <algorithm>
#include <cmath>

namespace vespera {

const TemperaturePreset& nearestPreset(double kelvin) {
  const auto presets = temperaturePresets();
  // The table runs coolest first and min_element keeps the first of equals,
  // so a tie goes to the cooler button.
  return *std::ranges::min_element(presets, {}, [kelvin](const TemperaturePreset& preset) {
    return std::abs(preset.kelvin - kelvin);
  });
}

}  // namespace vespera
