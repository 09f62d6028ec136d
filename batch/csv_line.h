#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vespera {

// One line of comma-separated values. A cell may be wrapped in double quotes
// to hold commas, and a doubled quote inside it stands for one quote; blanks
// around a cell are dropped. Returns nothing when a quoted cell is not
// closed on its line (cells never span lines).
std::optional<QStringList> splitCsvLine(const QString& line);

// A cell as written to the output: quoted only when it holds a comma, a
// quote, a line break or outer blanks, so plain numbers stay plain.
QString quoteCsvCell(const QString& cell);

}  // namespace vespera
