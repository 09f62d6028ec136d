#include "nearest_preset.h"

#include <algorithm>
#include <cmath>

namespace vespera {

const TemperaturePreset& nearestPreset(double kelvin) {
  const auto presets = temperaturePresets();
  // The table runs coolest first and min_element keeps the first of equals,
  // so a tie goes to the cooler button.
  return *std::min_element(presets.begin(), presets.end(),
                           [kelvin](const TemperaturePreset& a, const TemperaturePreset& b) {
                             return std::abs(a.kelvin - kelvin) < std::abs(b.kelvin - kelvin);
                           });
}

}  // namespace vespera
