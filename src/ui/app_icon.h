// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>

namespace vespera {

// The program's icon, shared by every window: four discs on a grey ground,
// 32 x 32 pixels in 16 colours.
QPixmap applicationIconPixmap();
QIcon applicationIcon();

}  // namespace vespera
