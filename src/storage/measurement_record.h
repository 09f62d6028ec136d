#pragma once

#include "core/field.h"
#include "core/field_store.h"

#include <QString>

#include <span>
#include <variant>

namespace vespera {

// One item of a measurement record: the caption of a control of the window
// (a label or a frame, by its name), or the text of a field.
struct CaptionOf {
  const char* controlName;
};
using RecordItem = std::variant<CaptionOf, Field>;

// The items of each save button, in the order they are written.
std::span<const RecordItem> fullRecordItems();               // "Salva Misura in C:\.... .txt"
std::span<const RecordItem> absoluteMagnitudeRecordItems();  // "Salva solo con Mag.Assoluta"
std::span<const RecordItem>
angularSizeRecordItems();  // "Salva misura solo con dimensione angolare"

// The record as the window shows it now: every caption and field text
// joined with nothing between them, without the line end. An empty field adds
// nothing, so its caption runs straight into the next item.
QString composeRecord(const FieldStore& store, std::span<const RecordItem> items);

}  // namespace vespera
