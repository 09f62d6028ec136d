#include "calc/diameter.h"

#include "core/field_io.h"

namespace vespera {
namespace {

// Absolute magnitude by the distance modulus, with the decimal logarithm
// taken as ln(d) / ln(10).
Real absoluteMagnitude(const FieldIO& io) {
  const Real m = io.number(Field::Text2);
  const Real lnDistance = naturalLog(io.number(Field::Text3));
  const Real ln10 = naturalLog(10.0);
  return (m + 5.0) - (lnDistance * 5.0) / ln10;
}

// 10^((S - M) / 2.51) is the area of the star's disc in square metres; the
// diameter is that of a circle of that area. Pi is 3.141592 here, as the
// program has always used it.
Real diameterInMetres(const FieldIO& io, FaultTests& faults) {
  const Real S = io.number(Field::Text1);
  const Real M = absoluteMagnitude(io);
  const Real x = (S - M) / 2.51;
  faults.check();
  const Real area = power(10.0, x) / 3.141592;
  faults.check();
  const Real diameter = 2.0 * squareRoot(area);
  faults.check();
  return diameter;
}

}  // namespace

void Command41_Click(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  // Warn about every empty input, then compute anyway: an empty field reads as 0.
  io.warnIfEmpty(Field::Text1);
  io.warnIfEmpty(Field::Text2);
  io.warnIfEmpty(Field::Text3);

  // Each result is computed afresh from the three inputs and written before
  // the next one, so a fault leaves the earlier results on screen.
  FaultTests faults;
  io.write(Field::Text4, diameterInMetres(io, faults));

  const Real absolute = absoluteMagnitude(io);
  faults.check();
  io.write(Field::Text5, absolute);

  const Real ratioToSun = diameterInMetres(io, faults) / 1.391e9;
  faults.check();
  io.write(Field::Text6, ratioToSun);

  // The parallax row divides by 1000 first, as the distance panel does.
  const Real parallaxMas = 1.0 / (io.number(Field::Text3) / 1000.0);
  faults.check();
  io.write(Field::Text11, parallaxMas);

  const Real lightYears = io.number(Field::Text3) * 3.26156;
  faults.check();
  io.write(Field::Text12, lightYears);

  const Real astronomicalUnits = io.number(Field::Text3) * 206265.0;
  faults.check();
  io.write(Field::Text15, astronomicalUnits);

  const Real kilometres = io.number(Field::Text3) * 3.086e13;
  faults.check();
  io.write(Field::Text16, kilometres);
}

void Command51_Click(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  for (Field field :
       {Field::Text1, Field::Text2, Field::Text3, Field::Text4, Field::Text5, Field::Text6,
        Field::Text12, Field::Text15, Field::Text16, Field::Text13, Field::Text14, Field::Text7,
        Field::Text8, Field::Text9, Field::Text10, Field::Text11, Field::Text17, Field::Text18}) {
    io.clear(field);
  }
}

}  // namespace vespera
