#include "storage/measurement_record.h"

#include <array>

namespace vespera {
namespace {

// "Kilometri" (Label19) is followed at once by "(B-V)" (Label13): the
// angular diameter has its unit after it, the colour index its name before.
constexpr std::array<RecordItem, 17> kFullRecord = {
    CaptionOf{"Label5"}, Field::Text4,        CaptionOf{"Label7"},  Field::Text6,
    CaptionOf{"Label6"}, Field::Text5,        CaptionOf{"Label8"},  Field::Text13,
    CaptionOf{"Frame1"}, Field::Text14,       CaptionOf{"Label19"}, CaptionOf{"Label13"},
    Field::Text10,       CaptionOf{"Label1"}, Field::Text7,         CaptionOf{"Label20"},
    Field::Text19,
};

constexpr std::array<RecordItem, 4> kAbsoluteMagnitudeRecord = {
    CaptionOf{"Label6"}, Field::Text5, CaptionOf{"Label13"}, Field::Text10};

constexpr std::array<RecordItem, 5> kAngularSizeRecord = {
    CaptionOf{"Label8"}, Field::Text13, CaptionOf{"Frame1"}, Field::Text14, CaptionOf{"Label19"},
};

}  // namespace

std::span<const RecordItem> fullRecordItems() { return kFullRecord; }
std::span<const RecordItem> absoluteMagnitudeRecordItems() { return kAbsoluteMagnitudeRecord; }
std::span<const RecordItem> angularSizeRecordItems() { return kAngularSizeRecord; }

QString composeRecord(const FieldStore& store, std::span<const RecordItem> items) {
  QString record;
  for (const RecordItem& item : items) {
    if (const auto* caption = std::get_if<CaptionOf>(&item)) {
      record += store.caption(QString::fromLatin1(caption->controlName));
    } else {
      record += store.text(std::get<Field>(item));
    }
  }
  return record;
}

}  // namespace vespera
