// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "star_table.h"

#include "core/field_store.h"

namespace vespera {

// One star worked through the window's own handlers: the fields as the window
// shows them afterwards, and the message of the error that stopped it.
struct StarResult {
  std::string temperature;  // the kelvin that chose the temperature button, if one was pressed
  MemoryFieldStore fields;
  std::string error;  // empty when every step ran
};

// Fills a fresh window as a user would and presses its buttons: the surface
// magnitude typed, or the temperature button nearest the given temperature
// (for a B-V, the B-V panel's "CALCOLA" first); the apparent magnitude and the
// distance typed, or the parallax converted by the distance panel; then
// "CALCOLA"; and for an angular diameter, the angle in degrees typed into the
// angular panel and its "CALCOLA ". The period is the decimal separator. The
// first step that reports an error ends the star, as it would stop a user.
StarResult calculateStar(const StarInput& star, SurfaceSource surfaceSource,
                         DistanceSource distanceSource);

}  // namespace vespera
