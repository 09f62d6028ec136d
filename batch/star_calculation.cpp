#include "star_calculation.h"

#include "nearest_preset.h"

#include "calc/angular_diameter.h"
#include "calc/bv_temperature.h"
#include "calc/diameter.h"
#include "calc/distance_units.h"
#include "core/field_io.h"
#include "core/handler.h"
#include "core/number_text.h"
#include "core/recording_runtime.h"

namespace vespera {
namespace {

// The angular panel takes degrees; the catalogues give milliarcseconds.
constexpr double kMilliarcsecondsPerDegree = 3600.0 * 1000.0;

// The temperature button nearest a temperature, pressed.
Handler pressNearestPreset(const QString& kelvin) {
  return [kelvin](FieldStore& store, Runtime& runtime) {
    pressPreset(nearestPreset(parseNumber(kelvin, runtime.decimalSeparator())), store, runtime);
  };
}

Handler typeAngleInDegrees(const QString& milliarcseconds) {
  return [milliarcseconds](FieldStore& store, Runtime& runtime) {
    FieldIO io(store, runtime);
    io.write(Field::Text13,
             parseNumber(milliarcseconds, runtime.decimalSeparator()) / kMilliarcsecondsPerDegree);
  };
}

}  // namespace

StarResult calculateStar(const StarInput& star, SurfaceSource surfaceSource,
                         DistanceSource distanceSource) {
  StarResult result;
  MemoryFieldStore& fields = result.fields;
  RecordingRuntime runtime(QLatin1Char('.'));
  // One button press; false once it has reported an error.
  const auto press = [&](const Handler& handler) {
    runHandler(handler, fields, runtime);
    if (runtime.errors.isEmpty()) return true;
    result.error = runtime.errors.first();
    return false;
  };

  switch (surfaceSource) {
    case SurfaceSource::SurfaceMagnitude: fields.setText(Field::Text1, star.surface); break;
    case SurfaceSource::Temperature:
      result.temperature = star.surface;
      if (!press(pressNearestPreset(star.surface))) return result;
      break;
    case SurfaceSource::ColourIndex:
      fields.setText(Field::Text10, star.surface);
      if (!press(Command96_Click)) return result;
      result.temperature = fields.text(Field::Text7);
      if (!press(pressNearestPreset(result.temperature))) return result;
      break;
  }

  fields.setText(Field::Text2, star.apparentMagnitude);
  if (distanceSource == DistanceSource::Parsecs) {
    fields.setText(Field::Text3, star.distance);
  } else {
    fields.setText(Field::Text11, star.distance);
    if (!press(Command99_Click)) return result;
  }
  if (!press(Command41_Click)) return result;

  if (!star.angularDiameterMas.isEmpty()) {
    if (!press(typeAngleInDegrees(star.angularDiameterMas))) return result;
    press(Command101_Click);
  }
  return result;
}

}  // namespace vespera
