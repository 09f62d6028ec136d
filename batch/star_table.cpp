// SPDX-License-Identifier: GPL-3.0-or-later

#include "star_table.h"

#include <charconv>

namespace vespera {
namespace {

const QList<SurfaceSource> kSurfaceSources = {
    SurfaceSource::SurfaceMagnitude, SurfaceSource::Temperature, SurfaceSource::ColourIndex};
const QList<DistanceSource> kDistanceSources = {DistanceSource::Parsecs, DistanceSource::Parallax};

QString atLine(qint64 line) { return QStringLiteral("riga %1: ").arg(line); }

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
                                 const ColumnChoice& choice, qint64 headerLine,
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
    errors.append(atLine(headerLine) +
                  QStringLiteral("serve una delle colonne %1").arg(listColumns(sources, choice)));
  } else {
    errors.append(atLine(headerLine) +
                  QStringLiteral("ci sono più colonne tra %1: scegliere quale usare con %2")
                      .arg(listColumns(present, choice), option));
  }
  return std::nullopt;
}

// A cell that must hold a number; optional cells may be empty. Returns the fault, if any,
// naming the column as the file does.
std::string numberCell(const std::string& text, const QString& column, const ColumnChoice& choice,
                       bool required, qint64 line, std::string& cell) {
  if (isStrictNumber(text)) {
    cell = text;  // digits, signs, a point and E only
    return {};
  }
  cell.clear();
  if (text.empty() && !required) return {};
  const QString header = choice.headerName(column);
  if (text.empty()) {
    return QStringLiteral("riga %1, colonna %2: valore mancante")
        .arg(line)
        .arg(header)
        .toStdString();
  }
  return QStringLiteral(
             "riga %1, colonna %2: \"%3\" non è un numero (cifre, il punto come "
             "separatore decimale, esponente facoltativo come in 1.5E+3)")
      .arg(line)
      .arg(header, QString::fromStdString(text))
      .toStdString();
}

}  // namespace

QStringList knownInputColumns() {
  return {kNameColumn,        kApparentMagnitudeColumn, kSurfaceMagnitudeColumn,
          kTemperatureColumn, kColourIndexColumn,       kParsecsColumn,
          kParallaxColumn,    kAngularDiameterColumn};
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

bool isSkippedLine(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r\v\f");
  return first == std::string_view::npos || line[first] == '#';
}

std::optional<StarLayout> readHeader(const std::vector<std::string>& header, qint64 line,
                                     const ColumnChoice& choice, QStringList& errors) {
  const qsizetype errorsBefore = errors.size();
  QHash<QString, int> index;
  for (int i = 0; i < int(header.size()); ++i) {
    const QString name = QString::fromUtf8(header[i]);
    if (name.isEmpty()) continue;
    if (index.contains(name)) {
      errors.append(atLine(line) + QStringLiteral("la colonna \"%1\" compare due volte").arg(name));
    }
    index.insert(name, i);
  }
  StarLayout layout;
  layout.cells = header.size();
  layout.headerLine = line;
  layout.name = index.value(choice.headerName(kNameColumn), -1);
  layout.angular = index.value(choice.headerName(kAngularDiameterColumn), -1);
  layout.apparent = index.value(choice.headerName(kApparentMagnitudeColumn), -1);
  if (layout.apparent < 0) {
    errors.append(atLine(line) + QStringLiteral("manca la colonna obbligatoria \"%1\"")
                                     .arg(choice.headerName(kApparentMagnitudeColumn)));
  }
  if (const auto surface =
          pickSource(kSurfaceSources, choice.surface, QStringLiteral("--surface-from"), index,
                     choice, line, errors)) {
    layout.surfaceSource = *surface;
    layout.surface = index.value(choice.headerName(columnOf(*surface)));
  }
  if (const auto distance =
          pickSource(kDistanceSources, choice.distance, QStringLiteral("--distance-from"), index,
                     choice, line, errors)) {
    layout.distanceSource = *distance;
    layout.distance = index.value(choice.headerName(columnOf(*distance)));
  }
  if (errors.size() != errorsBefore) return std::nullopt;
  return layout;
}

std::string readStar(const std::vector<std::string>& cells, qint64 line, const StarLayout& layout,
                     const ColumnChoice& choice, StarInput& star) {
  if (cells.size() != layout.cells) {
    return (atLine(line) + QStringLiteral("%1 valori, ma l'intestazione (riga %2) ha %3 colonne")
                               .arg(cells.size())
                               .arg(layout.headerLine)
                               .arg(layout.cells))
        .toStdString();
  }
  star.name = layout.name >= 0 ? cells[layout.name] : std::string();
  std::string fault = numberCell(cells[layout.surface], columnOf(layout.surfaceSource), choice,
                                 true, line, star.surface);
  if (fault.empty()) {
    fault = numberCell(cells[layout.apparent], kApparentMagnitudeColumn, choice, true, line,
                       star.apparentMagnitude);
  }
  if (fault.empty()) {
    fault = numberCell(cells[layout.distance], columnOf(layout.distanceSource), choice, true, line,
                       star.distance);
  }
  star.angularDiameterMas.clear();
  if (fault.empty() && layout.angular >= 0) {
    fault = numberCell(cells[layout.angular], kAngularDiameterColumn, choice, false, line,
                       star.angularDiameterMas);
  }
  return fault;
}

bool isStrictNumber(std::string_view text) {
  // std::from_chars reads the rest, but takes no '+' and reads "inf" and "nan" too.
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  if (text.empty() || ((text[0] < '0' || text[0] > '9') && text[0] != '.')) return false;
  double value = 0.0;
  const char* const first = text.data();
  const char* const end = first + text.size();
  const auto [stop, error] = std::from_chars(first, end, value);
  return stop == end && (error == std::errc() || error == std::errc::result_out_of_range);
}

}  // namespace vespera
