#pragma once

class QStyle;

namespace vespera {

// The application's style, with the standard sunken 3D border around text boxes.
QStyle* sunkenBoxStyle();

}  // namespace vespera
