#include "core/field.h"

namespace vespera {

QString fieldName(Field field) {
  if (field == Field::NomeFile) return QStringLiteral("NomeFile");
  return QStringLiteral("Text%1").arg(static_cast<int>(field) + 1);
}

std::optional<Field> fieldFromName(const QString& name) {
  for (Field field : kAllFields) {
    if (fieldName(field) == name) return field;
  }
  return std::nullopt;
}

}  // namespace vespera
