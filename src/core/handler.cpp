#include "core/handler.h"

namespace vespera {

void runHandler(const Handler& handler, FieldStore& store, Runtime& runtime) {
  try {
    handler(store, runtime);
  } catch (const RuntimeError& error) {
    runtime.reportError(error);
  }
}

}  // namespace vespera
