#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// The distance panel ("Trasporto dati sù distanza Parsec"): each row turns its
// own unit into parsecs and writes them into Text3, the distance that the
// diameter calculation and the angular panel read. Each row's "RESET" empties
// only that row's field. Nothing here reads Text3.

// Parallax in milliarcseconds (Text11) to parsecs: 1 / (p / 1000).
void Command99_Click(FieldStore& store, Runtime& runtime);
void Command100_Click(FieldStore& store, Runtime& runtime);

// Light years (Text12) to parsecs.
void Command102_Click(FieldStore& store, Runtime& runtime);
void Command103_Click(FieldStore& store, Runtime& runtime);

// Astronomical units (Text15) to parsecs.
void Command104_Click(FieldStore& store, Runtime& runtime);
void Command105_Click(FieldStore& store, Runtime& runtime);

// Kilometres (Text16) to parsecs.
void Command106_Click(FieldStore& store, Runtime& runtime);
void Command107_Click(FieldStore& store, Runtime& runtime);

}  // namespace vespera
