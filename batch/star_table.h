// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/star_calculation.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vespera {

// The input columns, by the names the batch tool documents.
inline const QString kNameColumn = QStringLiteral("name");
inline const QString kApparentMagnitudeColumn = QStringLiteral("v");
inline const QString kSurfaceMagnitudeColumn = QStringLiteral("surface_mag");
inline const QString kTemperatureColumn = QStringLiteral("teff");
inline const QString kColourIndexColumn = QStringLiteral("b_v");
inline const QString kParsecsColumn = QStringLiteral("distance_pc");
inline const QString kParallaxColumn = QStringLiteral("parallax_mas");
inline const QString kAngularDiameterColumn = QStringLiteral("theta_mas");

QStringList knownInputColumns();

QString columnOf(SurfaceSource source);
QString columnOf(DistanceSource source);
std::optional<SurfaceSource> surfaceSourceFromColumn(const QString& column);
std::optional<DistanceSource> distanceSourceFromColumn(const QString& column);

// How to read a file whose header differs from the documented names.
struct ColumnChoice {
  QHash<QString, QString> headerFor;       // documented name -> name in the file
  std::optional<SurfaceSource> surface;    // needed when the file holds several
  std::optional<DistanceSource> distance;  // needed when the file holds both
  QString headerName(const QString& column) const { return headerFor.value(column, column); }
};

// Which cell of a data line holds what, as the header line says (-1: not there).
struct StarLayout {
  std::size_t cells = 0;
  qint64 headerLine = 0;
  int name = -1;
  int surface = -1;
  int apparent = -1;
  int distance = -1;
  int angular = -1;
  SurfaceSource surfaceSource = SurfaceSource::SurfaceMagnitude;
  DistanceSource distanceSource = DistanceSource::Parsecs;
};

// Lines starting with '#' and blank lines are skipped; the first other line is the
// header. Columns with other names are ignored.
bool isSkippedLine(std::string_view line);

// Reads the header line (number `line` in the file). Every fault goes into errors, each
// naming the line; without faults, the layout of the data lines.
std::optional<StarLayout> readHeader(const std::vector<std::string>& header, qint64 line,
                                     const ColumnChoice& choice, QStringList& errors);

// Reads a data line into star. The reading is strict where the window is lenient: the
// line has the header's number of cells, and a cell that needs a number holds exactly one
// number (period as decimal point), never empty text or trailing letters. Returns the
// fault, naming the line, or an empty text.
std::string readStar(const std::vector<std::string>& cells, qint64 line, const StarLayout& layout,
                     const ColumnChoice& choice, StarInput& star);

// The strict form of a number: optional sign, digits with at most one period, optional
// exponent ("1.5E+3"). Blanks around it are not allowed.
bool isStrictNumber(std::string_view text);

}  // namespace vespera
