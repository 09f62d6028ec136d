// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace vespera {

// Field text (UTF-8) to number: leading blanks, an optional sign, digits with at most one
// decimal point, an optional exponent (E or e, optional sign, digits). Reading stops at the
// first character that cannot continue the number; what was read up to there is the
// value, and text with no number at its start reads as 0. The period is always a decimal
// point; the user's own separator (one character, UTF-8) is accepted as well, so that a
// number this program wrote on a comma locale reads back whole. A number beyond the double
// range is an overflow fault.
double parseNumber(std::string_view text, std::string_view userDecimalSeparator = ".");

// Number to field text: at most 15 significant digits in the shortest form, the exponent
// form (3.086E+15) where 15 digits do not reach, the user's decimal separator, "0" for
// negative zero. A value that is not finite is an arithmetic fault: no field ever shows
// nan or inf.
std::string formatNumber(double value, std::string_view userDecimalSeparator = ".");

}  // namespace vespera
