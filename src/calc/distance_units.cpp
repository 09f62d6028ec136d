// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/distance_units.h"

#include "calc/units.h"
#include "core/field_io.h"

namespace vespera {

void parsecsFromParallax(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultRegister faults;
  // Milliarcseconds to arcseconds first, then the reciprocal: a parallax that reads as 0
  // is a division by zero and leaves the distance in parsecs as it was.
  const CheckedReal arcseconds = io.number(Field::ParallaxMilliarcseconds) / 1000.0;
  const CheckedReal parsecs = 1.0 / arcseconds;
  faults.check();
  io.write(Field::DistanceParsecs, parsecs);
}

void clearParallax(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::ParallaxMilliarcseconds);
}

// The three unit rows divide by their number of units per parsec (calc/units.h), the
// constants the diameter calculation multiplies by.
void parsecsFromLightYears(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::DistanceLightYears, kLightYearsPerParsec, Field::DistanceParsecs, store,
                    runtime);
}

void clearLightYears(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::DistanceLightYears);
}

void parsecsFromAstronomicalUnits(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::DistanceAstronomicalUnits, kAstronomicalUnitsPerParsec,
                    Field::DistanceParsecs, store, runtime);
}

void clearAstronomicalUnits(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::DistanceAstronomicalUnits);
}

void parsecsFromKilometres(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::DistanceKilometres, kKilometresPerParsec, Field::DistanceParsecs, store,
                    runtime);
}

void clearKilometres(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::DistanceKilometres);
}

}  // namespace vespera
