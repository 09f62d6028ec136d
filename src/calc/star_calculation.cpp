// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/star_calculation.h"

#include "calc/angular_diameter.h"
#include "calc/bv_temperature.h"
#include "calc/diameter.h"
#include "calc/distance_units.h"
#include "calc/presets.h"
#include "core/field_io.h"
#include "core/handler.h"
#include "core/number_text.h"
#include "core/recording_runtime.h"

#include <algorithm>
#include <cmath>

namespace vespera {
namespace {

// The angular panel takes degrees; the catalogues give milliarcseconds.
constexpr double kMilliarcsecondsPerDegree = 3600.0 * 1000.0;

// The temperature button a user would press for a star of this temperature: the one whose
// caption is nearest to it. Halfway between two buttons the cooler one is taken (3300 K
// presses 3200): the table runs coolest first and min_element keeps the first of equals.
// Beyond the ends of the row the end button is taken (500 K presses 1000, 60000 K presses
// 43000).
const TemperaturePreset& nearestPreset(double kelvin) {
  const auto presets = temperaturePresets();
  const auto distance = [kelvin](const TemperaturePreset& preset) {
    return std::abs(preset.kelvin - kelvin);
  };
  // NOLINTNEXTLINE(modernize-use-ranges): the web build's libc++ lacks ranges::min_element
  return *std::min_element(presets.begin(), presets.end(),
                           [&](const auto& a, const auto& b) { return distance(a) < distance(b); });
}

// The temperature button nearest a temperature, pressed.
auto pressNearestPreset(const std::string& kelvin) {
  return [kelvin](FieldStore& store, Runtime& runtime) {
    pressPreset(nearestPreset(parseNumber(kelvin, runtime.decimalSeparator())), store, runtime);
  };
}

auto typeAngleInDegrees(const std::string& milliarcseconds) {
  return [milliarcseconds](FieldStore& store, Runtime& runtime) {
    FieldIO io(store, runtime);
    io.write(Field::AngleDegrees,
             parseNumber(milliarcseconds, runtime.decimalSeparator()) / kMilliarcsecondsPerDegree);
  };
}

}  // namespace

StarResult calculateStar(const StarInput& star, SurfaceSource surfaceSource,
                         DistanceSource distanceSource) {
  StarResult result;
  MemoryFieldStore& fields = result.fields;
  RecordingRuntime runtime(".");
  // One button press; false once it has reported an error.
  const auto press = [&](const auto& handler) {
    runHandler(handler, fields, runtime);
    if (runtime.errors.empty()) return true;
    result.error = runtime.errors.front();
    return false;
  };

  switch (surfaceSource) {
    case SurfaceSource::SurfaceMagnitude:
      fields.setText(Field::SurfaceMagnitude, star.surface);
      break;
    case SurfaceSource::Temperature:
      result.temperature = star.surface;
      if (!press(pressNearestPreset(star.surface))) return result;
      break;
    case SurfaceSource::ColourIndex:
      fields.setText(Field::ColourIndex, star.surface);
      if (!press(temperatureFromColourIndex)) return result;
      result.temperature = fields.text(Field::TemperatureKelvin);
      if (!press(pressNearestPreset(result.temperature))) return result;
      break;
  }

  fields.setText(Field::ApparentMagnitude, star.apparentMagnitude);
  if (distanceSource == DistanceSource::Parsecs) {
    fields.setText(Field::DistanceParsecs, star.distance);
  } else {
    fields.setText(Field::ParallaxMilliarcseconds, star.distance);
    if (!press(parsecsFromParallax)) return result;
  }
  if (!press(calculateDiameter)) return result;

  if (!star.angularDiameterMas.empty()) {
    if (!press(typeAngleInDegrees(star.angularDiameterMas))) return result;
    press(diameterFromAngle);
  }
  return result;
}

}  // namespace vespera
