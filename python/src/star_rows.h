// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/star_calculation.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vespera {

// Stars given as columns of numbers, as NumPy holds them: every pointer addresses `rows`
// doubles. A star without an angular diameter has NaN there, or the pointer is null.
struct StarColumns {
  SurfaceSource surfaceSource = SurfaceSource::SurfaceMagnitude;
  DistanceSource distanceSource = DistanceSource::Parsecs;
  const double* surface = nullptr;
  const double* apparentMagnitude = nullptr;
  const double* distance = nullptr;
  const double* angularDiameterMas = nullptr;
  std::size_t rows = 0;
};

// Where the results go: the temperature that chose the button, then one column for each
// of kResultColumns, each of `rows` doubles (NaN where the window leaves the field empty);
// per row the number of its error in `messages` (0: none, and messages[0] is empty).
struct ResultColumns {
  static constexpr std::size_t kCount = 1 + kResultColumns.size();
  std::array<double*, kCount> values{};
  std::int32_t* errorNumbers = nullptr;
  std::vector<std::string> messages{std::string()};
};

// The text a user would type for a value: the shortest that reads back as the same double,
// so the calculation starts from exactly the number given.
std::string typedNumber(double value);

// A field's text as a number: NaN for an empty field.
double fieldNumber(const std::string& text);

// Works every star through calculateStar, the rows shared out in blocks among the
// processor's cores as the batch tool shares its lines, or all here when no thread can be
// started. Touches no Python object, so it runs without the interpreter's lock.
void calculateRows(const StarColumns& stars, ResultColumns& results);

}  // namespace vespera
