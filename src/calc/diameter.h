// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// "CALCOLA" of the main calculation: from the surface magnitude, the apparent magnitude
// and the distance in parsecs, writes the diameter in metres, the absolute magnitude, the
// ratio to the Sun and the distance as parallax, light years, astronomical units and
// kilometres.
void calculateDiameter(FieldStore& store, Runtime& runtime);

// "RESET" of the main window: empties every field but the spectral type and the file name.
void resetAllFields(FieldStore& store, Runtime& runtime);

}  // namespace vespera
