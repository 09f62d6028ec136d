#include "result_table.h"

#include "csv_line.h"

#include <functional>

namespace vespera {
namespace {

struct ResultColumn {
  QString name;
  std::function<QString(const StarResult&)> cell;
};

ResultColumn fieldColumn(const char* name, Field field) {
  return {QString::fromLatin1(name),
          [field](const StarResult& result) { return result.fields.text(field); }};
}

const QList<ResultColumn>& columns() {
  static const QList<ResultColumn> table = {
      {QStringLiteral("name"), [](const StarResult& result) { return result.name; }},
      {QStringLiteral("temperature_k"),
       [](const StarResult& result) { return result.temperature; }},
      // After a temperature button, Text7 holds that button's caption.
      fieldColumn("preset_k", Field::Text7),
      fieldColumn("surface_mag", Field::Text1),
      fieldColumn("v", Field::Text2),
      fieldColumn("distance_pc", Field::Text3),
      fieldColumn("diameter_m", Field::Text4),
      fieldColumn("abs_mag", Field::Text5),
      fieldColumn("sun_ratio", Field::Text6),
      fieldColumn("parallax_mas", Field::Text11),
      fieldColumn("light_years", Field::Text12),
      fieldColumn("au", Field::Text15),
      fieldColumn("km", Field::Text16),
      fieldColumn("theta_deg", Field::Text13),
      fieldColumn("angular_km", Field::Text14),
      {QStringLiteral("error"), [](const StarResult& result) { return result.error; }},
  };
  return table;
}

}  // namespace

QStringList resultColumns() {
  QStringList names;
  for (const auto& column : columns()) names.append(column.name);
  return names;
}

QString resultLine(const StarResult& result) {
  QStringList cells;
  for (const auto& column : columns()) cells.append(quoteCsvCell(column.cell(result)));
  return cells.join(u',');
}

}  // namespace vespera
