#pragma once

#include <QString>

namespace vespera {

// The whole user manual: one paragraph of Italian prose, no line breaks; the
// window wraps it at word boundaries.
QString manualText();

}  // namespace vespera
