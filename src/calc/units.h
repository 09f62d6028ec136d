#pragma once

namespace vespera {

// How many of each distance unit make a parsec, in the program's own roundings. Each is
// written once: CALCOLA multiplies the distance by them and the distance panel divides by
// the same, so a distance sent out into another unit and read back comes home unchanged.
inline constexpr double kLightYearsPerParsec = 3.26156;
inline constexpr double kAstronomicalUnitsPerParsec = 206265.0;
inline constexpr double kKilometresPerParsec = 3.086e13;

}  // namespace vespera
