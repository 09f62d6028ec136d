// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QStyle;

namespace vespera {

// The application's style, with the standard sunken 3D border around text boxes.
QStyle* sunkenBoxStyle();

}  // namespace vespera
