#include "calc/unit_conversion.h"

#include "core/field_io.h"

namespace vespera {

void convertByDivision(Field source, double divisor, Field target, FieldStore& store,
                       Runtime& runtime) {
  FieldIO io(store, runtime);
  FaultRegister faults;
  const CheckedReal quotient = io.number(source) / divisor;
  faults.check();
  io.write(target, quotient);
}

}  // namespace vespera
