#pragma once

#include "core/field.h"

#include <QHash>
#include <QString>

namespace vespera {

// Where the handlers find the window's state: the text of each field and the
// captions of the labels that the measurement file copies. The window binds
// it to its widgets; tests use MemoryFieldStore.
class FieldStore {
 public:
  virtual ~FieldStore() = default;
  virtual QString text(Field field) const = 0;
  virtual void setText(Field field, const QString& text) = 0;
  // Caption of a label or frame by control name ("Label5", "Frame1").
  virtual QString caption(const QString& controlName) const = 0;
};

// Fields and captions held in memory, as a fresh window holds them.
class MemoryFieldStore : public FieldStore {
 public:
  MemoryFieldStore();
  QString text(Field field) const override;
  void setText(Field field, const QString& text) override;
  QString caption(const QString& controlName) const override;
  void setCaption(const QString& controlName, const QString& caption);

 private:
  std::array<QString, kAllFields.size()> texts_;
  QHash<QString, QString> captions_;
};

}  // namespace vespera
