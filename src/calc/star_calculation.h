// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"

#include <array>
#include <cstdint>
#include <string>

namespace vespera {

// Where a star's surface magnitude comes from, as a user of the window gets it:
// typed into its field, a temperature button, or the B-V panel and then the
// button nearest the temperature it gives.
enum class SurfaceSource : std::uint8_t { SurfaceMagnitude, Temperature, ColourIndex };
// Where its distance comes from: typed in parsecs, or a parallax converted by
// the distance panel.
enum class DistanceSource : std::uint8_t { Parsecs, Parallax };

// One star: the texts to type into the window, blanks trimmed.
struct StarInput {
  std::string name;
  std::string surface;  // surface magnitude, kelvin or B-V
  std::string apparentMagnitude;
  std::string distance;            // parsecs or milliarcseconds
  std::string angularDiameterMas;  // empty when the star has none
};

// One star worked through the window's own handlers: the fields as the window
// shows them afterwards, and the message of the error that stopped it.
struct StarResult {
  std::string temperature;  // the kelvin that chose the temperature button, if one was pressed
  MemoryFieldStore fields;
  std::string error;  // empty when every step ran
};

// Fills a fresh window as a user would and presses its buttons: the surface
// magnitude typed, or the temperature button nearest the given temperature
// (for a B-V, the B-V panel's "CALCOLA" first); the apparent magnitude and the
// distance typed, or the parallax converted by the distance panel; then
// "CALCOLA"; and for an angular diameter, the angle in degrees typed into the
// angular panel and its "CALCOLA ". The period is the decimal separator. The
// first step that reports an error ends the star, as it would stop a user.
StarResult calculateStar(const StarInput& star, SurfaceSource surfaceSource,
                         DistanceSource distanceSource);

// The results of a star after its name and the temperature that chose the button, by the
// names the batch tool's output and the Python module give them: what the window shows in
// each field. After a temperature button, the temperature field holds that button's caption.
struct ResultColumn {
  const char* name;
  Field field;
};
inline constexpr std::array<ResultColumn, 13> kResultColumns{{
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

}  // namespace vespera
