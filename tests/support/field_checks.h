#pragma once

#include "core/field_store.h"

#include <QStringList>
#include <QTest>

namespace vespera {

// A number as a user of the given locale types it, or as the program writes it.
inline QString withSeparator(QString text, QChar separator) {
  return text.replace(QLatin1Char('.'), separator);
}

inline void fillAllWith(MemoryFieldStore& store, const QString& text) {
  for (Field field : kAllFields) store.setText(field, text);
}

inline QStringList allTexts(const FieldStore& store) {
  QStringList texts;
  for (Field field : kAllFields) texts << store.text(field);
  return texts;
}

// Every field but `changed` holds what it held before.
inline void verifyOnlyChanged(const FieldStore& store, const QStringList& before, Field changed) {
  for (Field field : kAllFields) {
    if (field == changed) continue;
    QCOMPARE(store.text(field), before[static_cast<int>(field)]);
  }
}

}  // namespace vespera
