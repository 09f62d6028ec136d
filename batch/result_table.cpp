#include "result_table.h"

#include "csv_line.h"

#include <array>

namespace vespera {
namespace {

// The columns after the name and the temperature: what the window shows in each field.
// After a temperature button, Text7 holds that button's caption.
struct FieldColumn {
  const char* name;
  Field field;
};
constexpr std::array<FieldColumn, 13> kFieldColumns{{
    {"preset_k", Field::Text7},
    {"surface_mag", Field::Text1},
    {"v", Field::Text2},
    {"distance_pc", Field::Text3},
    {"diameter_m", Field::Text4},
    {"abs_mag", Field::Text5},
    {"sun_ratio", Field::Text6},
    {"parallax_mas", Field::Text11},
    {"light_years", Field::Text12},
    {"au", Field::Text15},
    {"km", Field::Text16},
    {"theta_deg", Field::Text13},
    {"angular_km", Field::Text14},
}};

// Field texts are nearly always plain ASCII digits that need no quotes: those are copied
// as they are, in one pass.
void appendCell(std::string& out, const QString& text) {
  const std::size_t start = out.size();
  out.resize(start + std::size_t(text.size()));
  char* copy = out.data() + start;
  for (QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit >= 0x80 || unit == u',' || unit == u'"' || unit == u' ' || unit < 0x20) {
      out.resize(start);
      appendCsvCell(out, text.toStdString());
      return;
    }
    *copy++ = char(unit);
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
    appendCell(out, result.fields.text(column.field));
  }
  out += ',';
  appendCell(out, result.error);
  out += '\n';
}

}  // namespace vespera
