#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// "CALCOLA" of the main calculation: from the surface magnitude (Text1), the
// apparent magnitude (Text2) and the distance in parsecs (Text3), writes the
// diameter in metres, the absolute magnitude, the ratio to the Sun and the
// distance as parallax, light years, astronomical units and kilometres.
void Command41_Click(FieldStore& store, Runtime& runtime);

// "RESET" of the main window: empties every field but Text19 and NomeFile.
void Command51_Click(FieldStore& store, Runtime& runtime);

}  // namespace vespera
