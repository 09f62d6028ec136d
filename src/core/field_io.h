// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/checked_real.h"
#include "core/field_store.h"
#include "core/runtime.h"

namespace vespera {

// A handler's view of the fields as numbers: every read goes through parseNumber and every
// write through formatNumber, with the user's decimal separator.
class FieldIO {
 public:
  FieldIO(FieldStore& store, Runtime& runtime) : store_(&store), runtime_(&runtime) {}

  CheckedReal number(Field field) const;
  void write(Field field, CheckedReal value);
  void clear(Field field) { store_->setText(field, {}); }
  // The warning of the main calculation for a field whose text is exactly empty (a blank
  // is not empty). Returns whether it warned.
  bool warnIfEmpty(Field field);

 private:
  FieldStore* store_;  // never null, as are the references it is made from
  Runtime* runtime_;
};

inline constexpr std::string_view kEmptyFieldWarning =
    "Il programma v\u00E0 in errore, la prossima volta inserisci sempre un valore su "
    "tutte le caselle di testo bianche.";

}  // namespace vespera
