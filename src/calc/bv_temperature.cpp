#include "calc/bv_temperature.h"

#include "core/field_io.h"

namespace vespera {

void Command111_Click(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultTests faults;
  const Real v = io.number(Field::Text9);
  const Real b = io.number(Field::Text8);
  const Real colourIndex = b - v;
  faults.check();
  io.write(Field::Text10, colourIndex);
}

void Command96_Click(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultTests faults;
  const Real colourIndex = io.number(Field::Text10);
  const Real exponent = (Real(14.551) - colourIndex) / 3.684;
  faults.check();
  // Below a B-V of about -1121 the temperature leaves the double range; that
  // is reported as an overflow and Text7 keeps its text.
  const Real kelvin = power(10.0, exponent);
  faults.check();
  // Written with all its digits, not rounded to whole kelvin.
  io.write(Field::Text7, kelvin);
}

void Command97_Click(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  for (Field field : {Field::Text8, Field::Text9, Field::Text7, Field::Text10}) io.clear(field);
}

}  // namespace vespera
