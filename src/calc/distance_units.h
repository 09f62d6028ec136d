// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// The distance panel ("Trasporto dati sù distanza Parsec"): each row turns its own unit
// into parsecs and writes them into the distance in parsecs, which the diameter
// calculation and the angular panel read. Each row's "RESET" empties only that row's
// field. Nothing here reads the distance in parsecs.

// Parallax in milliarcseconds to parsecs: 1 / (p / 1000).
void parsecsFromParallax(FieldStore& store, Runtime& runtime);
void clearParallax(FieldStore& store, Runtime& runtime);

void parsecsFromLightYears(FieldStore& store, Runtime& runtime);
void clearLightYears(FieldStore& store, Runtime& runtime);

void parsecsFromAstronomicalUnits(FieldStore& store, Runtime& runtime);
void clearAstronomicalUnits(FieldStore& store, Runtime& runtime);

void parsecsFromKilometres(FieldStore& store, Runtime& runtime);
void clearKilometres(FieldStore& store, Runtime& runtime);

}  // namespace vespera
