// SPDX-License-Identifier: GPL-3.0-or-later

#include "storage/measurement_file.h"

#include "storage/windows1252.h"

#include <optional>

namespace vespera {

void saveMeasurement(std::span<const RecordItem> items, FieldStore& store, Runtime& runtime) {
  const std::string path = store.text(Field::FileName);
  // Text with no Windows-1252 byte is refused before the file is touched, so the earlier
  // record stays.
  const std::optional<std::string> bytes = encodeWindows1252(composeRecord(store, items) + "\r\n");
  if (bytes && runtime.replaceFile(path, *bytes)) {
    runtime.messageBox(kSaveSucceeded, kInformationIcon, kSaveTitle);
  } else {
    runtime.messageBox(kSaveFailed, kCriticalIcon, kSaveTitle);
  }
}

void saveFullMeasurement(FieldStore& store, Runtime& runtime) {
  saveMeasurement(fullRecordItems(), store, runtime);
}

void saveAbsoluteMagnitudeMeasurement(FieldStore& store, Runtime& runtime) {
  saveMeasurement(absoluteMagnitudeRecordItems(), store, runtime);
}

void saveAngularSizeMeasurement(FieldStore& store, Runtime& runtime) {
  saveMeasurement(angularSizeRecordItems(), store, runtime);
}

}  // namespace vespera
