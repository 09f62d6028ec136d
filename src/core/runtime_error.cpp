#include "core/runtime_error.h"

namespace vespera {

QString ArithmeticFault::describe(FaultKind kind) {
  switch (kind) {
    case FaultKind::InvalidOperation:
      return QStringLiteral("Errore di run-time: operazione non valida");
    case FaultKind::DivisionByZero: return QStringLiteral("Errore di run-time: divisione per zero");
    case FaultKind::Overflow: return QStringLiteral("Errore di run-time: overflow");
    case FaultKind::LogarithmDomain:
      return QStringLiteral("Errore di run-time: logaritmo di un numero minore o uguale a zero");
  }
  return QStringLiteral("Errore di run-time");
}

}  // namespace vespera
