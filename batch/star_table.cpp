#include "star_table.h"

#include "csv_line.h"

#include <QRegularExpression>

namespace vespera {
namespace {

const QList<SurfaceSource> kSurfaceSources = {
    SurfaceSource::SurfaceMagnitude, SurfaceSource::Temperature, SurfaceSource::ColourIndex};
const QList<DistanceSource> kDistanceSources = {DistanceSource::Parsecs,
                                                DistanceSource::Parallax};

QString atLine(int line) { return QStringLiteral("riga %1: ").arg(line); }

// Names the columns of a choice as the file spells them.
template <typename Source>
QString listColumns(const QList<Source>& sources, const ColumnChoice& choice) {
  QStringList names;
  for (Source source : sources) names.append(choice.headerName(columnOf(source)));
  return names.join(QStringLiteral(", "));
}

// Picks the one source of a kind that the header holds, or the one the user
// chose; anything else is an error on the header line.
template <typename Source>
std::optional<Source> pickSource(const QList<Source>& sources, std::optional<Source> chosen,
                                 const QString& option, const QHash<QString, int>& index,
                                 const ColumnChoice& choice, int headerLine,
                                 QStringList& errors) {
  if (chosen) {
    const QString header = choice.headerName(columnOf(*chosen));
    if (index.contains(header)) return chosen;
    errors.append(atLine(headerLine) +
                  QStringLiteral("manca la colonna \"%1\" scelta con %2").arg(header, option));
    return std::nullopt;
  }
  QList<Source> present;
  for (Source source : sources) {
    if (index.contains(choice.headerName(columnOf(source)))) present.append(source);
  }
  if (present.size() == 1) return present.first();
  if (present.isEmpty()) {
    errors.append(atLine(headerLine) + QStringLiteral("serve una delle colonne %1")
                                           .arg(listColumns(sources, choice)));
  } else {
    errors.append(atLine(headerLine) +
                  QStringLiteral("ci sono più colonne tra %1: scegliere quale usare con %2")
                      .arg(listColumns(present, choice), option));
  }
  return std::nullopt;
}

// Column positions of the roles the batch reads, -1 where a role is absent.
struct Layout {
  int cells = 0;
  int line = 0;
  int name = -1;
  int surface = -1;
  int apparent = -1;
  int distance = -1;
  int angular = -1;
};

std::optional<Layout> readHeader(const QStringList& header, int line, const ColumnChoice& choice,
                                 StarTable& table, QStringList& errors) {
  const qsizetype errorsBefore = errors.size();
  QHash<QString, int> index;
  for (int i = 0; i < header.size(); ++i) {
    if (header[i].isEmpty()) continue;
    if (index.contains(header[i])) {
      errors.append(atLine(line) +
                    QStringLiteral("la colonna \"%1\" compare due volte").arg(header[i]));
    }
    index.insert(header[i], i);
  }
  Layout layout;
  layout.cells = int(header.size());
  layout.line = line;
  layout.name = index.value(choice.headerName(kNameColumn), -1);
  layout.angular = index.value(choice.headerName(kAngularDiameterColumn), -1);
  layout.apparent = index.value(choice.headerName(kApparentMagnitudeColumn), -1);
  if (layout.apparent < 0) {
    errors.append(atLine(line) + QStringLiteral("manca la colonna obbligatoria \"%1\"")
                                     .arg(choice.headerName(kApparentMagnitudeColumn)));
  }
  if (const auto surface = pickSource(kSurfaceSources, choice.surface,
                                      QStringLiteral("--surface-from"), index, choice, line,
                                      errors)) {
    table.surfaceSource = *surface;
    layout.surface = index.value(choice.headerName(columnOf(*surface)));
  }
  if (const auto distance = pickSource(kDistanceSources, choice.distance,
                                       QStringLiteral("--distance-from"), index, choice, line,
                                       errors)) {
    table.distanceSource = *distance;
    layout.distance = index.value(choice.headerName(columnOf(*distance)));
  }
  if (errors.size() != errorsBefore) return std::nullopt;
  return layout;
}

// A cell that must hold a number; optional cells may be empty.
QString numberCell(const QStringList& cells, int column, const QString& header, bool required,
                   int line, QStringList& errors) {
  const QString text = cells[column];
  if (text.isEmpty()) {
    if (required) {
      errors.append(QStringLiteral("riga %1, colonna %2: valore mancante").arg(line).arg(header));
    }
    return text;
  }
  if (!isStrictNumber(text)) {
    errors.append(QStringLiteral("riga %1, colonna %2: \"%3\" non è un numero (cifre, il "
                                 "punto come separatore decimale, esponente facoltativo "
                                 "come in 1.5E+3)")
                      .arg(line)
                      .arg(header, text));
  }
  return text;
}

StarInput readStar(const QStringList& cells, int line, const Layout& layout,
                   const StarTable& table, const ColumnChoice& choice, QStringList& errors) {
  StarInput star;
  star.line = line;
  if (layout.name >= 0) star.name = cells[layout.name];
  const auto header = [&](const QString& column) { return choice.headerName(column); };
  star.surface = numberCell(cells, layout.surface, header(columnOf(table.surfaceSource)), true,
                            line, errors);
  star.apparentMagnitude = numberCell(cells, layout.apparent,
                                      header(kApparentMagnitudeColumn), true, line, errors);
  star.distance = numberCell(cells, layout.distance, header(columnOf(table.distanceSource)),
                             true, line, errors);
  if (layout.angular >= 0) {
    star.angularDiameterMas = numberCell(cells, layout.angular, header(kAngularDiameterColumn),
                                         false, line, errors);
  }
  return star;
}

}  // namespace

QStringList knownInputColumns() {
  return {kNameColumn,    kApparentMagnitudeColumn, kSurfaceMagnitudeColumn, kTemperatureColumn,
          kColourIndexColumn, kParsecsColumn,       kParallaxColumn,         kAngularDiameterColumn};
}

QString columnOf(SurfaceSource source) {
  switch (source) {
    case SurfaceSource::SurfaceMagnitude: return kSurfaceMagnitudeColumn;
    case SurfaceSource::Temperature: return kTemperatureColumn;
    case SurfaceSource::ColourIndex: return kColourIndexColumn;
  }
  return {};
}

QString columnOf(DistanceSource source) {
  return source == DistanceSource::Parsecs ? kParsecsColumn : kParallaxColumn;
}

std::optional<SurfaceSource> surfaceSourceFromColumn(const QString& column) {
  for (SurfaceSource source : kSurfaceSources) {
    if (columnOf(source) == column) return source;
  }
  return std::nullopt;
}

std::optional<DistanceSource> distanceSourceFromColumn(const QString& column) {
  for (DistanceSource source : kDistanceSources) {
    if (columnOf(source) == column) return source;
  }
  return std::nullopt;
}

bool isStrictNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral(R"(\A[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\z)"));
  return number.match(text).hasMatch();
}

StarTable readStarTable(QTextStream& in, const ColumnChoice& choice, QStringList& errors) {
  StarTable table;
  std::optional<Layout> layout;
  bool headerSeen = false;
  int line = 0;
  QString text;
  while (in.readLineInto(&text)) {
    ++line;
    if (text.trimmed().isEmpty() || text.trimmed().startsWith(u'#')) continue;
    const auto cells = splitCsvLine(text);
    if (!cells) {
      errors.append(atLine(line) + QStringLiteral("virgolette aperte e non chiuse sulla riga"));
      continue;
    }
    if (!headerSeen) {
      headerSeen = true;
      layout = readHeader(*cells, line, choice, table, errors);
      if (!layout) return table;  // without a usable header no line can be read
      continue;
    }
    if (cells->size() != layout->cells) {
      errors.append(atLine(line) + QStringLiteral("%1 valori, ma l'intestazione (riga %2) ha %3 "
                                                  "colonne")
                                       .arg(cells->size())
                                       .arg(layout->line)
                                       .arg(layout->cells));
      continue;
    }
    table.stars.append(readStar(*cells, line, *layout, table, choice, errors));
  }
  if (!headerSeen) {
    errors.append(QStringLiteral("il file non ha la riga di intestazione con i nomi delle colonne"));
  }
  return table;
}

}  // namespace vespera
