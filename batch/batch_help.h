// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace vespera {

// The text of --help: options, input columns, the strict reading, output
// columns and exit codes.
QString batchHelpText();

}  // namespace vespera
