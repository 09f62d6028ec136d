// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vespera {

// The twenty text boxes of the main window, by what they hold. Every value the calculator
// knows lives as the text of one of them; the handlers address them by these names, and
// the window's layout table ties each one to its text box.
enum class Field : std::uint8_t {
  SurfaceMagnitude,   // absolute V magnitude of one square metre of the star's surface
  ApparentMagnitude,  // apparent V magnitude
  DistanceParsecs,
  DiameterMetres,
  AbsoluteMagnitude,  // absolute V magnitude of the whole star
  DiameterToSun,      // the star's diameter over the Sun's
  TemperatureKelvin,
  MagnitudeB,   // B magnitude, in the B-V panel
  MagnitudeV,   // V magnitude, in the B-V panel
  ColourIndex,  // B-V
  ParallaxMilliarcseconds,
  DistanceLightYears,
  AngleDegrees,               // angular size
  AngularDiameterKilometres,  // the diameter the angular size gives
  DistanceAstronomicalUnits,
  DistanceKilometres,
  AngleArcMinutes,
  AngleArcSeconds,
  SpectralType,  // free text, for the record only
  FileName,      // path of the measurement file
  // (FileName stays last: the count is checked against it.)
};

constexpr std::size_t indexOf(Field field) { return static_cast<std::size_t>(field); }

// Stores hold one text per field by this count, and kAllFields lists them: both must follow
// the enum, which the compiler checks.
inline constexpr std::size_t kFieldCount = 20;
static_assert(indexOf(Field::FileName) + 1 == kFieldCount, "a field added or taken away");

inline constexpr std::array<Field, kFieldCount> kAllFields = {
    Field::SurfaceMagnitude,
    Field::ApparentMagnitude,
    Field::DistanceParsecs,
    Field::DiameterMetres,
    Field::AbsoluteMagnitude,
    Field::DiameterToSun,
    Field::TemperatureKelvin,
    Field::MagnitudeB,
    Field::MagnitudeV,
    Field::ColourIndex,
    Field::ParallaxMilliarcseconds,
    Field::DistanceLightYears,
    Field::AngleDegrees,
    Field::AngularDiameterKilometres,
    Field::DistanceAstronomicalUnits,
    Field::DistanceKilometres,
    Field::AngleArcMinutes,
    Field::AngleArcSeconds,
    Field::SpectralType,
    Field::FileName,
};
static_assert([] {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (indexOf(kAllFields[i]) != i) return false;
  }
  return true;
}());

}  // namespace vespera
