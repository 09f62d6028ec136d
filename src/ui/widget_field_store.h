#pragma once

#include "core/field_store.h"

#include <array>

class QLineEdit;
class QWidget;

namespace vespera {

// The fields as the window's text boxes, found by their object names; the
// captions as the texts of the labels and group titles of the same names.
class WidgetFieldStore : public FieldStore {
 public:
  explicit WidgetFieldStore(QWidget& window);

  QString text(Field field) const override;
  void setText(Field field, const QString& text) override;
  QString caption(const QString& controlName) const override;

 private:
  QWidget& window_;
  std::array<QLineEdit*, kAllFields.size()> boxes_{};
};

}  // namespace vespera
