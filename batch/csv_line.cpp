#include "csv_line.h"

namespace vespera {

std::optional<QStringList> splitCsvLine(const QString& line) {
  const QChar quote(u'"');
  const QChar comma(u',');
  QStringList cells;
  QString cell;
  bool inQuotes = false;
  bool wasQuoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (inQuotes) {
      if (c != quote) {
        cell += c;
      } else if (i + 1 < line.size() && line[i + 1] == quote) {
        cell += quote;
        ++i;
      } else {
        inQuotes = false;
      }
    } else if (c == comma) {
      // A quoted cell keeps its inner blanks; a plain one loses its outer ones.
      cells.append(wasQuoted ? cell : cell.trimmed());
      cell.clear();
      wasQuoted = false;
    } else if (c == quote && cell.trimmed().isEmpty()) {
      cell.clear();
      inQuotes = true;
      wasQuoted = true;
    } else if (!(wasQuoted && c.isSpace())) {
      cell += c;
    }
  }
  if (inQuotes) return std::nullopt;
  cells.append(wasQuoted ? cell : cell.trimmed());
  return cells;
}

QString quoteCsvCell(const QString& cell) {
  // Outer blanks are quoted too, or the reader would drop them.
  const bool needsQuotes = cell.contains(u',') || cell.contains(u'"') ||
                           cell.contains(u'\n') || cell.contains(u'\r') ||
                           cell != cell.trimmed();
  if (!needsQuotes) return cell;
  QString escaped = cell;
  escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return u'"' + escaped + u'"';
}

}  // namespace vespera
