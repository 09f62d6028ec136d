// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_io.h"

namespace vespera {

// How many of each distance unit make a parsec, in the program's own roundings. Each is
// written once: CALCOLA multiplies the distance by them and the distance panel divides by
// the same, so a distance sent out into another unit and read back comes home unchanged.
inline constexpr double kLightYearsPerParsec = 3.26156;
inline constexpr double kAstronomicalUnitsPerParsec = 206265.0;
inline constexpr double kKilometresPerParsec = 3.086e13;

// What the unit rows and the angle's arrow buttons do: a field's number divided by a unit
// constant, written into another field, with a fault test after the division. The source
// field keeps its text.
inline void convertByDivision(Field source, double divisor, Field target, FieldStore& store,
                              Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultRegister faults;
  const CheckedReal quotient = io.number(source) / divisor;
  faults.check();
  io.write(target, quotient);
}

}  // namespace vespera
