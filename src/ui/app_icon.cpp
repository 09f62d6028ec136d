// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/app_icon.h"

namespace vespera {

QPixmap applicationIconPixmap() { return QPixmap(QStringLiteral(":/vespera/vespera-icon.xpm")); }

QIcon applicationIcon() { return QIcon(applicationIconPixmap()); }

}  // namespace vespera
