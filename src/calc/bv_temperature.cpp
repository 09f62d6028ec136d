// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/bv_temperature.h"

#include "core/field_io.h"

namespace vespera {

void colourIndexFromMagnitudes(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultRegister faults;
  const CheckedReal v = io.number(Field::MagnitudeV);
  const CheckedReal b = io.number(Field::MagnitudeB);
  const CheckedReal colourIndex = b - v;
  faults.check();
  io.write(Field::ColourIndex, colourIndex);
}

void temperatureFromColourIndex(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultRegister faults;
  const CheckedReal colourIndex = io.number(Field::ColourIndex);
  const CheckedReal exponent = (CheckedReal(14.551) - colourIndex) / 3.684;
  faults.check();
  // Below a B-V of about -1121 the temperature leaves the double range; that is reported
  // as an overflow and the temperature keeps its text.
  const CheckedReal kelvin = power(10.0, exponent);
  faults.check();
  // Written with all its digits, not rounded to whole kelvin.
  io.write(Field::TemperatureKelvin, kelvin);
}

void resetColourIndexPanel(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  for (Field field :
       {Field::MagnitudeB, Field::MagnitudeV, Field::TemperatureKelvin, Field::ColourIndex}) {
    io.clear(field);
  }
}

}  // namespace vespera
