// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/field_io.h"

#include "core/number_text.h"

namespace vespera {

CheckedReal FieldIO::number(Field field) const {
  return parseNumber(store_->text(field), runtime_->decimalSeparator());
}

void FieldIO::write(Field field, CheckedReal value) {
  store_->setText(field, formatNumber(value.value(), runtime_->decimalSeparator()));
}

bool FieldIO::warnIfEmpty(Field field) {
  if (!store_->text(field).empty()) return false;
  runtime_->messageBox(kEmptyFieldWarning);
  return true;
}

}  // namespace vespera
