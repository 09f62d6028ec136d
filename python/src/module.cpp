// SPDX-License-Identifier: GPL-3.0-or-later

// vespera._core: the calculator's handlers for Python. The package around it (vespera/)
// turns the user's scalars, arrays, tables and units into the flat columns of doubles
// taken here.

#include "star_rows.h"

#include "core/number_text.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace py = pybind11;

namespace vespera {
namespace {

using Column = py::array_t<double, py::array::c_style | py::array::forcecast>;

SurfaceSource surfaceSourceNamed(const std::string& name) {
  if (name == "surface_mag") return SurfaceSource::SurfaceMagnitude;
  if (name == "teff") return SurfaceSource::Temperature;
  if (name == "b_v") return SurfaceSource::ColourIndex;
  throw py::value_error("surface_from vuole surface_mag, teff o b_v, non " + name);
}

DistanceSource distanceSourceNamed(const std::string& name) {
  if (name == "distance_pc") return DistanceSource::Parsecs;
  if (name == "parallax_mas") return DistanceSource::Parallax;
  throw py::value_error("distance_from vuole distance_pc o parallax_mas, non " + name);
}

std::vector<std::string> resultNames() {
  std::vector<std::string> names{"temperature_k"};
  for (const ResultColumn& column : kResultColumns) names.emplace_back(column.name);
  return names;
}

// A one-dimensional column of `rows` values, or the reason it is not.
const double* columnData(const Column& column, std::size_t rows, const char* name) {
  if (column.ndim() != 1 || std::size_t(column.shape(0)) != rows) {
    throw py::value_error(std::string(name) + ": serve una colonna di " + std::to_string(rows) +
                          " valori");
  }
  return column.data();
}

// The results of the stars, by column name, each column a new array; the number of each
// row's error; the errors' messages, the first one empty.
using Calculated = std::tuple<py::dict, py::array_t<std::int32_t>, std::vector<std::string>>;

Calculated calculate(const std::string& surfaceFrom, const Column& surface, const Column& v,
                     const std::string& distanceFrom, const Column& distance,
                     const std::optional<Column>& thetaMas) {
  StarColumns stars;
  stars.surfaceSource = surfaceSourceNamed(surfaceFrom);
  stars.distanceSource = distanceSourceNamed(distanceFrom);
  stars.rows = std::size_t(v.size());
  stars.apparentMagnitude = columnData(v, stars.rows, "v");
  stars.surface = columnData(surface, stars.rows, surfaceFrom.c_str());
  stars.distance = columnData(distance, stars.rows, distanceFrom.c_str());
  if (thetaMas) stars.angularDiameterMas = columnData(*thetaMas, stars.rows, "theta_mas");

  const auto rows = py::ssize_t(stars.rows);
  ResultColumns results;
  py::dict columns;
  const std::vector<std::string> names = resultNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    py::array_t<double> values(rows);
    results.values.at(i) = values.mutable_data();
    columns[py::str(names[i])] = values;
  }
  py::array_t<std::int32_t> errorNumbers(rows);
  results.errorNumbers = errorNumbers.mutable_data();
  {
    const py::gil_scoped_release unlocked;
    calculateRows(stars, results);
  }
  return {columns, errorNumbers, results.messages};
}

// The window's text for a number; an empty text for NaN, where the window's field and the
// batch tool's cell stay empty.
std::string windowText(double value) {
  if (std::isnan(value)) return {};
  if (std::isinf(value)) throw py::value_error("nessun campo mostra un valore infinito");
  return formatNumber(value);
}

}  // namespace
}  // namespace vespera

PYBIND11_MODULE(_core, module) {
  module.doc() = "Vespera's calculator core: the window's handlers, without a window.";
  module.def("calculate", &vespera::calculate, py::arg("surface_from"), py::arg("surface"),
             py::arg("v"), py::arg("distance_from"), py::arg("distance"),
             py::arg("theta_mas") = py::none(),
             "Works one-dimensional columns of stars through the window's handlers.");
  module.def("text", &vespera::windowText, py::arg("value"),
             "The window's text for a number: 15 significant digits; '' for NaN.");
  module.attr("RESULT_COLUMNS") = py::tuple(py::cast(vespera::resultNames()));
}
