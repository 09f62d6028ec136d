#include "calc/diameter.h"

#include "calc/units.h"
#include "core/field_io.h"

namespace vespera {
namespace {

// Absolute magnitude by the distance modulus, with the decimal logarithm
// taken as ln(d) / ln(10).
Real absoluteMagnitude(const FieldIO& io) {
  const Real apparent = io.number(Field::ApparentMagnitude);
  const Real lnDistance = naturalLog(io.number(Field::DistanceParsecs));
  const Real ln10 = naturalLog(10.0);
  return (apparent + 5.0) - (lnDistance * 5.0) / ln10;
}

// 10^((S - M) / 2.51) is the area of the star's disc in square metres; the
// diameter is that of a circle of that area. Pi is 3.141592 here, as the
// program has always used it.
Real diameterInMetres(const FieldIO& io, FaultTests& faults) {
  const Real surface = io.number(Field::SurfaceMagnitude);
  const Real absolute = absoluteMagnitude(io);
  const Real x = (surface - absolute) / 2.51;
  faults.check();
  const Real area = power(10.0, x) / 3.141592;
  faults.check();
  const Real diameter = 2.0 * squareRoot(area);
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
  FaultTests faults;
  io.write(Field::DiameterMetres, diameterInMetres(io, faults));

  const Real absolute = absoluteMagnitude(io);
  faults.check();
  io.write(Field::AbsoluteMagnitude, absolute);

  const Real ratioToSun = diameterInMetres(io, faults) / 1.391e9;
  faults.check();
  io.write(Field::DiameterToSun, ratioToSun);

  // The parallax row divides by 1000 first, as the distance panel does.
  const Real parallaxMas = 1.0 / (io.number(Field::DistanceParsecs) / 1000.0);
  faults.check();
  io.write(Field::ParallaxMilliarcseconds, parallaxMas);

  const Real lightYears = io.number(Field::DistanceParsecs) * kLightYearsPerParsec;
  faults.check();
  io.write(Field::DistanceLightYears, lightYears);

  const Real astronomicalUnits = io.number(Field::DistanceParsecs) * kAstronomicalUnitsPerParsec;
  faults.check();
  io.write(Field::DistanceAstronomicalUnits, astronomicalUnits);

  const Real kilometres = io.number(Field::DistanceParsecs) * kKilometresPerParsec;
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
