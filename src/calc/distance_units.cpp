#include "calc/distance_units.h"

#include "calc/unit_conversion.h"
#include "core/field_io.h"

namespace vespera {

void Command99_Click(FieldStore& store, Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultTests faults;
  // Milliarcseconds to arcseconds first, then the reciprocal: a parallax that
  // reads as 0 is a division by zero and leaves Text3 as it was.
  const Real arcseconds = io.number(Field::Text11) / 1000.0;
  const Real parsecs = 1.0 / arcseconds;
  faults.check();
  io.write(Field::Text3, parsecs);
}

void Command100_Click(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::Text11);
}

// The three unit rows divide by their number of units per parsec: the
// constants the diameter calculation multiplies by, so a distance sent out
// and read back comes home unchanged.
void Command102_Click(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::Text12, 3.26156, Field::Text3, store, runtime);
}

void Command103_Click(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::Text12);
}

void Command104_Click(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::Text15, 206265.0, Field::Text3, store, runtime);
}

void Command105_Click(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::Text15);
}

void Command106_Click(FieldStore& store, Runtime& runtime) {
  convertByDivision(Field::Text16, 3.086e13, Field::Text3, store, runtime);
}

void Command107_Click(FieldStore& store, Runtime& runtime) {
  FieldIO(store, runtime).clear(Field::Text16);
}

}  // namespace vespera
