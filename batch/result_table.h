#pragma once

#include "star_calculation.h"

#include <QString>
#include <QStringList>

namespace vespera {

// The output columns, in order: what the window shows for each star.
QStringList resultColumns();

// One output line (without its line break), each cell the text of a field
// exactly as the window would show it, quoted only where CSV needs it.
QString resultLine(const StarResult& result);

}  // namespace vespera
