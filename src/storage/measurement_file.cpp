#include "storage/measurement_file.h"

#include "storage/windows1252.h"

#include <optional>

namespace vespera {
namespace {

const QString kSaveTitle = QStringLiteral("Salva");
const QString kSaveSucceeded = QStringLiteral("Salvataggio effettuato!");
const QString kSaveFailed = QStringLiteral("Si \u00E8 verificato un errore nel salvataggio.");

}  // namespace

void saveMeasurement(std::span<const RecordItem> items, FieldStore& store, Runtime& runtime) {
  const QString path = store.text(Field::NomeFile);
  const QString line = composeRecord(store, items) + QStringLiteral("\r\n");
  // Text with no Windows-1252 byte is refused before the file is touched,
  // so the earlier record stays.
  const std::optional<QByteArray> bytes = encodeWindows1252(line);
  const auto writeRecord = [&](QFileDevice& file) { return file.write(*bytes) == bytes->size(); };
  if (bytes && replaceFileContent(path, writeRecord, WithoutTemporaryFile::WriteInPlace) ==
                   Replacement::Done) {
    runtime.messageBox(kSaveSucceeded, kInformationIcon, kSaveTitle);
  } else {
    runtime.messageBox(kSaveFailed, kCriticalIcon, kSaveTitle);
  }
}

void Command84_Click(FieldStore& store, Runtime& runtime) {
  saveMeasurement(fullRecordItems(), store, runtime);
}

void Command98_Click(FieldStore& store, Runtime& runtime) {
  saveMeasurement(absoluteMagnitudeRecordItems(), store, runtime);
}

void Command110_Click(FieldStore& store, Runtime& runtime) {
  saveMeasurement(angularSizeRecordItems(), store, runtime);
}

}  // namespace vespera
