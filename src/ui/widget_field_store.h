// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"

#include <array>

class QLineEdit;
class QWidget;

namespace vespera {

// The fields as the window's text boxes, and the captions as the texts of its labels and
// panel titles, each found by the control name the layout table gives it.
class WidgetFieldStore : public FieldStore {
 public:
  explicit WidgetFieldStore(QWidget& window);

  std::string text(Field field) const override;
  void setText(Field field, std::string text) override;
  std::string caption(Caption caption) const override;

 private:
  QWidget* window_;  // never null
  std::array<QLineEdit*, kFieldCount> boxes_{};
};

}  // namespace vespera
