#include "core/field_store.h"

namespace vespera {

MemoryFieldStore::MemoryFieldStore() { texts_[indexOf(Field::FileName)] = kDefaultFileName; }

}  // namespace vespera
