// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// The B-V panel ("Calcolo temperatura valido con B-V tra 0 e 2"). The range in its
// caption is advice only: any colour index is computed.

// "Calcola (B-V)": the B magnitude minus the V magnitude, into the colour index.
void colourIndexFromMagnitudes(FieldStore& store, Runtime& runtime);

// "CALCOLA": the temperature in kelvin from the colour index,
// log10 T = (14.551 - (B-V)) / 3.684. The surface magnitude is left alone.
void temperatureFromColourIndex(FieldStore& store, Runtime& runtime);

// "RESET": empties B, V, the temperature and the colour index.
void resetColourIndexPanel(FieldStore& store, Runtime& runtime);

}  // namespace vespera
