// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/angular_diameter.h"

#include "calc/units.h"
#include "core/field_io.h"

namespace vespera {

// The two arrow buttons replace the degrees, never add to them: minutes and
// seconds cannot be combined, the later press wins.
void degreesFromArcMinutes(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::AngleArcMinutes, 60.0, Field::AngleDegrees, store, runtime);
}

void degreesFromArcSeconds(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::AngleArcSeconds, 3600.0, Field::AngleDegrees, store, runtime);
}

void diameterFromAngle(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultRegister faults;
  const CheckedReal degrees = io.number(Field::AngleDegrees);
  // Pi to fifteen digits, as this panel has always used it.
  // NOLINTNEXTLINE(modernize-use-std-numbers): this panel's pi, which std::numbers::pi is not
  const CheckedReal radiansPerDegree = CheckedReal(3.14159265358979) / 180.0;
  const CheckedReal radians = degrees * radiansPerDegree;
  faults.check();
  const CheckedReal slope = tangent(radians);
  const CheckedReal parsecs = io.number(Field::DistanceParsecs);
  // The whole angle goes into the tangent: the diameter is neither halved nor
  // doubled. Distance times kilometres per parsec first, then the tangent.
  const CheckedReal kilometres = (parsecs * kKilometresPerParsec) * slope;
  faults.check();
  io.write(Field::AngularDiameterKilometres, kilometres);
}

}  // namespace vespera
