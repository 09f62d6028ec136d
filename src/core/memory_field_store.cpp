#include "core/field_store.h"

namespace vespera {

MemoryFieldStore::MemoryFieldStore() {
  // A new window shows every field empty except the file name.
  texts_[static_cast<std::size_t>(Field::NomeFile)] = QStringLiteral("C:\\.txt");
}

QString MemoryFieldStore::text(Field field) const {
  return texts_[static_cast<std::size_t>(field)];
}

void MemoryFieldStore::setText(Field field, const QString& text) {
  texts_[static_cast<std::size_t>(field)] = text;
}

QString MemoryFieldStore::caption(const QString& controlName) const {
  return captions_.value(controlName);
}

void MemoryFieldStore::setCaption(const QString& controlName, const QString& caption) {
  captions_.insert(controlName, caption);
}

}  // namespace vespera
