// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/diameter.h"

#include "calc/units.h"
#include "core/field_io.h"

namespace vespera {
namespace {

// Absolute magnitude by the distance modulus, with the decimal logarithm
// taken as ln(d) / ln(10).
CheckedReal absoluteMagnitude(const FieldIO& io) {
  const CheckedReal apparent = io.number(Field::ApparentMagnitude);
  const CheckedReal lnDistance = naturalLog(io.number(Field::DistanceParsecs));
  const CheckedReal ln10 = naturalLog(10.0);
  return (apparent + 5.0) - (lnDistance * 5.0) / ln10;
}

// 10^((S - M) / 2.51) is the area of the star's disc in square metres; the
// diameter is that of a circle of that area. Pi is 3.141592 here, as the
// program has always used it.
CheckedReal diameterInMetres(const FieldIO& io, FaultRegister& faults) {
  const CheckedReal surface = io.number(Field::SurfaceMagnitude);
  const CheckedReal absolute = absoluteMagnitude(io);
  const CheckedReal x = (surface - absolute) / 2.51;
  faults.check();
  const CheckedReal area =
      power(10.0, x) / 3.141592;  // NOLINT(modernize-use-std-numbers): see above
  faults.check();
  const CheckedReal diameter = 2.0 * squareRoot(area);
  faults.check();
  return diameter;
}

}  // namespace

void calculateDiameter(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  // Warn about every empty input, then compute anyway: an empty field reads as 0.
  io.warnIfEmpty(Field::SurfaceMagnitude);
  io.warnIfEmpty(Field::ApparentMagnitude);
  io.warnIfEmpty(Field::DistanceParsecs);

  // Each result is computed afresh from the three inputs and written before
  // the next one, so a fault leaves the earlier results on screen.
  FaultRegister faults;
  io.write(Field::DiameterMetres, diameterInMetres(io, faults));

  const CheckedReal absolute = absoluteMagnitude(io);
  faults.check();
  io.write(Field::AbsoluteMagnitude, absolute);

  const CheckedReal ratioToSun = diameterInMetres(io, faults) / 1.391e9;
  faults.check();
  io.write(Field::DiameterToSun, ratioToSun);

  // The parallax row divides by 1000 first, as the distance panel does.
  const CheckedReal parallaxMas = 1.0 / (io.number(Field::DistanceParsecs) / 1000.0);
  faults.check();
  io.write(Field::ParallaxMilliarcseconds, parallaxMas);

  const CheckedReal lightYears = io.number(Field::DistanceParsecs) * kLightYearsPerParsec;
  faults.check();
  io.write(Field::DistanceLightYears, lightYears);

  const CheckedReal astronomicalUnits =
      io.number(Field::DistanceParsecs) * kAstronomicalUnitsPerParsec;
  faults.check();
  io.write(Field::DistanceAstronomicalUnits, astronomicalUnits);

  const CheckedReal kilometres = io.number(Field::DistanceParsecs) * kKilometresPerParsec;
  faults.check();
  io.write(Field::DistanceKilometres, kilometres);
}

void resetAllFields(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  for (Field field :
       {Field::SurfaceMagnitude, Field::ApparentMagnitude, Field::DistanceParsecs,
        Field::DiameterMetres, Field::AbsoluteMagnitude, Field::DiameterToSun,
        Field::DistanceLightYears, Field::DistanceAstronomicalUnits, Field::DistanceKilometres,
        Field::AngleDegrees, Field::AngularDiameterKilometres, Field::TemperatureKelvin,
        Field::MagnitudeB, Field::MagnitudeV, Field::ColourIndex, Field::ParallaxMilliarcseconds,
        Field::AngleArcMinutes, Field::AngleArcSeconds}) {
    io.clear(field);
  }
}

}  // namespace vespera
