// SPDX-License-Identifier: GPL-3.0-or-later

#include "star_rows.h"

#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <future>
#include <limits>
#include <span>
#include <system_error>
#include <thread>

namespace vespera {
namespace {

// Fewer rows than this are not worth a thread of their own (the batch tool's measure).
constexpr std::size_t kLeastRowsShared = 512;

// What one core made of its rows: each error numbered in its own list, renumbered into the
// shared list once every core is done.
struct Share {
  std::size_t first = 0;
  std::size_t count = 0;
  std::vector<std::string> messages{std::string()};
};

std::int32_t numberOf(std::vector<std::string>& messages, const std::string& message) {
  const auto found = std::ranges::find(messages, message);
  if (found != messages.end()) return std::int32_t(found - messages.begin());
  messages.push_back(message);
  return std::int32_t(messages.size() - 1);
}

void workShare(const StarColumns& stars, ResultColumns& results, Share& share) {
  StarInput star;
  for (std::size_t row = share.first; row < share.first + share.count; ++row) {
    star.surface = typedNumber(stars.surface[row]);
    star.apparentMagnitude = typedNumber(stars.apparentMagnitude[row]);
    star.distance = typedNumber(stars.distance[row]);
    const double angle = stars.angularDiameterMas ? stars.angularDiameterMas[row] : std::nan("");
    star.angularDiameterMas = std::isnan(angle) ? std::string() : typedNumber(angle);
    const StarResult result = calculateStar(star, stars.surfaceSource, stars.distanceSource);
    results.values[0][row] = fieldNumber(result.temperature);
    for (std::size_t column = 0; column < kResultColumns.size(); ++column) {
      results.values[column + 1][row] =
          fieldNumber(result.fields.heldText(kResultColumns[column].field));
    }
    results.errorNumbers[row] = result.error.empty() ? 0 : numberOf(share.messages, result.error);
  }
}

}  // namespace

std::string typedNumber(double value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
  return {text.data(), written.ptr};
}

double fieldNumber(const std::string& text) {
  return text.empty() ? std::numeric_limits<double>::quiet_NaN() : parseNumber(text);
}

void calculateRows(const StarColumns& stars, ResultColumns& results) {
  const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t used = std::clamp<std::size_t>(stars.rows / kLeastRowsShared, 1, cores);
  const std::size_t each = (stars.rows + used - 1) / used;
  std::vector<Share> shares(used);
  for (std::size_t i = 0; i < used; ++i) {
    shares[i].first = std::min(i * each, stars.rows);
    shares[i].count = std::min(each, stars.rows - shares[i].first);
  }
  std::vector<std::future<void>> others;
  std::size_t started = 1;
  try {
    for (; started < used; ++started) {
      others.push_back(std::async(std::launch::async, workShare, std::cref(stars),
                                  std::ref(results), std::ref(shares[started])));
    }
  } catch (const std::system_error&) {
    // No thread to be had (a process limit): the shares left are worked here.
    for (std::size_t i = started; i < used; ++i) workShare(stars, results, shares[i]);
  }
  workShare(stars, results, shares[0]);
  for (auto& other : others) other.get();

  for (const Share& share : shares) {
    if (share.messages.size() == 1) continue;
    std::vector<std::int32_t> renumbered;
    renumbered.reserve(share.messages.size());
    for (const std::string& message : share.messages) {
      renumbered.push_back(numberOf(results.messages, message));
    }
    const std::span rows(results.errorNumbers + share.first, share.count);
    for (std::int32_t& number : rows) number = renumbered[std::size_t(number)];
  }
}

}  // namespace vespera
