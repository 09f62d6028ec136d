// SPDX-License-Identifier: GPL-3.0-or-later

#include "result_table.h"

#include "csv_line.h"

#include <algorithm>
#include <array>

namespace vespera {
namespace {

// The columns after the name and the temperature: what the window shows in each field.
// After a temperature button, the temperature field holds that button's caption.
struct FieldColumn {
  const char* name;
  Field field;
};
constexpr std::array<FieldColumn, 13> kFieldColumns{{
    {"preset_k", Field::TemperatureKelvin},
    {"surface_mag", Field::SurfaceMagnitude},
    {"v", Field::ApparentMagnitude},
    {"distance_pc", Field::DistanceParsecs},
    {"diameter_m", Field::DiameterMetres},
    {"abs_mag", Field::AbsoluteMagnitude},
    {"sun_ratio", Field::DiameterToSun},
    {"parallax_mas", Field::ParallaxMilliarcseconds},
    {"light_years", Field::DistanceLightYears},
    {"au", Field::DistanceAstronomicalUnits},
    {"km", Field::DistanceKilometres},
    {"theta_deg", Field::AngleDegrees},
    {"angular_km", Field::AngularDiameterKilometres},
}};

// Field texts are nearly always plain digits that need no quotes: those are copied as they
// are.
void appendCell(std::string& out, std::string_view text) {
  const bool plain = std::ranges::all_of(text, [](char c) {
    return c > ' ' && c != ',' && c != '"' && static_cast<unsigned char>(c) < 0x80;
  });
  if (plain) {
    out += text;
  } else {
    appendCsvCell(out, text);
  }
}

}  // namespace

std::string resultHeader() {
  std::string header = "name,temperature_k";
  for (const FieldColumn& column : kFieldColumns) header += std::string(",") + column.name;
  return header + ",error";
}

void appendResultLine(std::string& out, const std::string& name, const StarResult& result) {
  appendCsvCell(out, name);
  out += ',';
  appendCell(out, result.temperature);
  for (const FieldColumn& column : kFieldColumns) {
    out += ',';
    appendCell(out, result.fields.heldText(column.field));
  }
  out += ',';
  appendCell(out, result.error);
  out += '\n';
}

}  // namespace vespera
