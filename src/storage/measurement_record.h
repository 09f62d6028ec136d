// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/caption.h"
#include "core/field.h"
#include "core/field_store.h"

#include <span>
#include <string>
#include <variant>

namespace vespera {

// One item of a measurement record: a caption of the window, or the text of a field.
using RecordItem = std::variant<Caption, Field>;

// The items of each save button, in the order they are written.
std::span<const RecordItem> fullRecordItems();               // "Salva Misura in C:\.... .txt"
std::span<const RecordItem> absoluteMagnitudeRecordItems();  // "Salva solo con Mag.Assoluta"
std::span<const RecordItem>
angularSizeRecordItems();  // "Salva misura solo con dimensione angolare"

// The record as the window shows it now, in UTF-8: every caption and field text joined
// with nothing between them, without the line end. An empty field adds nothing, so its
// caption runs straight into the next item.
std::string composeRecord(const FieldStore& store, std::span<const RecordItem> items);

}  // namespace vespera
