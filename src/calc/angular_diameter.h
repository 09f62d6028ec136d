// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// The angular panel ("Calcolo diametro con dimensione angolare"): the angle in degrees,
// typed or converted from arc minutes or arc seconds, and the distance in parsecs give a
// diameter in kilometres.

// Arc minutes to degrees, replacing the degrees.
void degreesFromArcMinutes(FieldStore& store, Runtime& runtime);

// Arc seconds to degrees, replacing the degrees.
void degreesFromArcSeconds(FieldStore& store, Runtime& runtime);

// "CALCOLA ": distance x kilometres per parsec x tan(angle), into the angular diameter.
void diameterFromAngle(FieldStore& store, Runtime& runtime);

}  // namespace vespera
