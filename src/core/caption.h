// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vespera {

// The texts on the main window that are not fields: the heading of each box and the title
// of each panel. The save buttons copy some of them into the measurement record, as the
// window shows them. A heading shares its name with the field it names.
enum class Caption : std::uint8_t {
  PresetTemperatures,  // above the temperature buttons
  SurfaceMagnitude,
  ApparentMagnitude,
  DistanceParsecs,
  DiameterMetres,
  AbsoluteMagnitude,
  DiameterToSun,
  AngleDegrees,
  DistanceLightYears,
  MagnitudeV,
  MagnitudeB,
  TemperatureKelvin,
  ColourIndex,
  DistanceAstronomicalUnits,
  ParallaxMilliarcseconds,
  DistanceKilometres,
  AngleArcSeconds,
  AngleArcMinutes,
  AngularDiameterKilometres,
  SpectralType,
  AngularPanel,      // "Calcolo diametro con dimensione angolare"
  ColourIndexPanel,  // "Calcolo temperatura valido con B-V tra 0 e 2"
  DistancePanel,     // "Trasporto dati sù distanza Parsec"
  // (DistancePanel stays last: the count is checked against it.)
};

constexpr std::size_t indexOf(Caption caption) { return static_cast<std::size_t>(caption); }

// Stores hold one text per caption by this count: it must follow the enum.
inline constexpr std::size_t kCaptionCount = 23;
static_assert(indexOf(Caption::DistancePanel) + 1 == kCaptionCount,
              "a caption added or taken away");

}  // namespace vespera
