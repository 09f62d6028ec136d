// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/runtime_error.h"

namespace vespera {

std::string ArithmeticFault::describe(FaultKind kind) {
  switch (kind) {
    case FaultKind::InvalidOperation: return "Errore di run-time: operazione non valida";
    case FaultKind::DivisionByZero: return "Errore di run-time: divisione per zero";
    case FaultKind::Overflow: return "Errore di run-time: overflow";
    case FaultKind::LogarithmDomain:
      return "Errore di run-time: logaritmo di un numero minore o uguale a zero";
  }
  return "Errore di run-time";
}

}  // namespace vespera
