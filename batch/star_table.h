#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

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

// Where a star's surface magnitude comes from, as a user of the window gets it:
// typed into its field, a temperature button, or the B-V panel and then the
// button nearest the temperature it gives.
enum class SurfaceSource { SurfaceMagnitude, Temperature, ColourIndex };
// Where its distance comes from: typed in parsecs, or a parallax converted by
// the distance panel.
enum class DistanceSource { Parsecs, Parallax };

QString columnOf(SurfaceSource source);
QString columnOf(DistanceSource source);
std::optional<SurfaceSource> surfaceSourceFromColumn(const QString& column);
std::optional<DistanceSource> distanceSourceFromColumn(const QString& column);

// How to read a file whose header differs from the documented names.
struct ColumnChoice {
  QHash<QString, QString> headerFor;         // documented name -> name in the file
  std::optional<SurfaceSource> surface;      // needed when the file holds several
  std::optional<DistanceSource> distance;    // needed when the file holds both
  QString headerName(const QString& column) const { return headerFor.value(column, column); }
};

// One data line: the texts to type into the window, blanks trimmed.
struct StarInput {
  int line = 0;  // in the file, counting comments and blank lines
  QString name;
  QString surface;             // surface magnitude, kelvin or B-V
  QString apparentMagnitude;
  QString distance;            // parsecs or milliarcseconds
  QString angularDiameterMas;  // empty when the star has none
};

struct StarTable {
  SurfaceSource surfaceSource = SurfaceSource::SurfaceMagnitude;
  DistanceSource distanceSource = DistanceSource::Parsecs;
  QList<StarInput> stars;
};

// Reads the whole input. Lines starting with '#' and blank lines are skipped;
// the first other line is the header; columns with other names are ignored.
// The reading is strict where the window is lenient: every data line has the
// header's number of cells, and a cell that needs a number holds exactly one
// number (period as decimal point), never empty text or trailing letters.
// Every fault is listed in errors, each naming its line; the table is only
// meant to be used when errors stays empty.
StarTable readStarTable(QTextStream& in, const ColumnChoice& choice, QStringList& errors);

// The strict form of a number: optional sign, digits with at most one
// period, optional exponent ("1.5E+3"). Blanks around it are not allowed.
bool isStrictNumber(const QString& text);

}  // namespace vespera
