// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"
#include "storage/measurement_record.h"

#include <span>
#include <string_view>

namespace vespera {

// The three save buttons. Each writes its record as one line, ended by carriage return and
// line feed, in Windows-1252, into the file whose path is the text of the file-name field
// exactly as typed; the line replaces the file's whole content. The outcome is told in one
// box titled "Salva".

inline constexpr std::string_view kSaveTitle = "Salva";
inline constexpr std::string_view kSaveSucceeded = "Salvataggio effettuato!";
inline constexpr std::string_view kSaveFailed = "Si \u00E8 verificato un errore nel salvataggio.";

// "Salva Misura in C:\.... .txt": the full record, seventeen items.
void saveFullMeasurement(FieldStore& store, Runtime& runtime);
// "Salva solo con Mag.Assoluta": absolute magnitude and colour index.
void saveAbsoluteMagnitudeMeasurement(FieldStore& store, Runtime& runtime);
// "Salva misura solo con dimensione angolare": the angular panel's record.
void saveAngularSizeMeasurement(FieldStore& store, Runtime& runtime);

// What the three buttons share: the items of the record differ.
void saveMeasurement(std::span<const RecordItem> items, FieldStore& store, Runtime& runtime);

}  // namespace vespera
