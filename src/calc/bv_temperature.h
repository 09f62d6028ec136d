#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// The B-V panel ("Calcolo temperatura valido con B-V tra 0 e 2"). The range
// in its caption is advice only: any colour index is computed.

// "Calcola (B-V)": B (Text8) minus V (Text9) into Text10.
void Command111_Click(FieldStore& store, Runtime& runtime);

// "CALCOLA": the temperature in kelvin from the colour index in Text10,
// log10 T = (14.551 - (B-V)) / 3.684, into Text7. Text1 is left alone.
void Command96_Click(FieldStore& store, Runtime& runtime);

// "RESET": empties Text8, Text9, Text7 and Text10.
void Command97_Click(FieldStore& store, Runtime& runtime);

}  // namespace vespera
