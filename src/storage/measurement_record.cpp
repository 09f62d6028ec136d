// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/measurement_record.h"

#include <array>

namespace vespera {
namespace {

// The angular diameter has its unit after it ("Kilometri"), followed at once by the colour
// index with its name before it ("(B-V)").
constexpr std::array<RecordItem, 17> kFullRecord = {
    Caption::DiameterMetres,
    Field::DiameterMetres,
    Caption::DiameterToSun,
    Field::DiameterToSun,
    Caption::AbsoluteMagnitude,
    Field::AbsoluteMagnitude,
    Caption::AngleDegrees,
    Field::AngleDegrees,
    Caption::AngularPanel,
    Field::AngularDiameterKilometres,
    Caption::AngularDiameterKilometres,
    Caption::ColourIndex,
    Field::ColourIndex,
    Caption::PresetTemperatures,
    Field::TemperatureKelvin,
    Caption::SpectralType,
    Field::SpectralType,
};

constexpr std::array<RecordItem, 4> kAbsoluteMagnitudeRecord = {
    Caption::AbsoluteMagnitude,
    Field::AbsoluteMagnitude,
    Caption::ColourIndex,
    Field::ColourIndex,
};

constexpr std::array<RecordItem, 5> kAngularSizeRecord = {
    Caption::AngleDegrees,
    Field::AngleDegrees,
    Caption::AngularPanel,
    Field::AngularDiameterKilometres,
    Caption::AngularDiameterKilometres,
};

}  // namespace

std::span<const RecordItem> fullRecordItems() { return kFullRecord; }
std::span<const RecordItem> absoluteMagnitudeRecordItems() { return kAbsoluteMagnitudeRecord; }
std::span<const RecordItem> angularSizeRecordItems() { return kAngularSizeRecord; }

std::string composeRecord(const FieldStore& store, std::span<const RecordItem> items) {
  std::string record;
  for (const RecordItem& item : items) {
    if (const auto* caption = std::get_if<Caption>(&item)) {
      record += store.caption(*caption);
    } else {
      record += store.text(std::get<Field>(item));
    }
  }
  return record;
}

}  // namespace vespera
