// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/preset_buttons.h"

#include <array>
#include <vector>

namespace vespera {
namespace {

// The buttons' numbers, coolest first: they were named in six runs that do not follow
// the temperature.
// clang-format off
constexpr std::array<int, 91> kButtonNumbers = {
    85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 49, 50, 1,  52, 43, 53, 2,  54, 44,
    55, 3,  56, 45, 57, 4,  58, 46, 59, 5,  60, 47, 61, 6,  62, 48, 63, 7,  64, 8,
    65, 9,  66, 10, 67, 11, 68, 12, 69, 13, 70, 14, 71, 15, 72, 16, 73, 17, 74, 18,
    75, 19, 76, 20, 77, 21, 78, 22, 79, 23, 80, 24, 81, 25, 82, 26, 83, 27, 28, 29,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,
};
// clang-format on

struct ColourBand {
  int hottest;  // kelvin, inclusive
  Rgb colour;
};

constexpr std::array<ColourBand, 17> kBands{{
    {1000, {64, 0, 0}},
    {1800, {128, 0, 0}},
    {2800, {192, 0, 0}},
    {3400, {255, 0, 0}},
    {3750, {255, 128, 128}},
    {4250, {255, 192, 128}},
    {5250, {255, 255, 128}},
    {5750, {255, 255, 192}},
    {6250, {192, 255, 192}},
    {7250, {192, 255, 255}},
    {8250, {192, 192, 255}},
    {13000, {255, 192, 255}},
    {20000, {255, 128, 255}},
    {25000, {255, 0, 255}},
    {30000, {192, 0, 192}},
    {42000, {128, 0, 128}},
    {43000, {64, 0, 64}},
}};

constexpr int kTallColumns = 3;
constexpr int kTallColumnRows = 17;
constexpr int kShortColumnFirstRow = 7;
constexpr int kShortColumnRows = 10;

Rgb bandColour(int kelvin) {
  for (const auto& band : kBands) {
    if (kelvin <= band.hottest) return band.colour;
  }
  return kBands.back().colour;
}

// The tab order follows the button numbers, not the screen.
int tabIndexOf(int button) {
  if (button <= 40) return button - 1;
  if (button <= 48) return 49 + (button - 43);
  if (button <= 84) return 61 + (button - 49);
  return 98 + (button - 85);
}

Twips placeOf(int index, int kelvin) {
  const int tallCells = kTallColumns * kTallColumnRows;
  const int column = index < tallCells ? index / kTallColumnRows
                                       : kTallColumns + ((index - tallCells) / kShortColumnRows);
  const int row = index < tallCells
                      ? index % kTallColumnRows
                      : kShortColumnFirstRow + ((index - tallCells) % kShortColumnRows);
  int width = 975;
  int height = 195;
  if (kelvin <= 3400) {
    width = 972;
    height = 192;
  } else if (kelvin == 34000) {
    width = 972;
  }
  return {360 + (1080 * column), 1200 + (240 * row), width, height};
}

std::vector<PresetButton> makeButtons() {
  std::vector<PresetButton> buttons;
  const auto presets = temperaturePresets();
  for (std::size_t i = 0; i < presets.size(); ++i) {
    const TemperaturePreset& preset = presets[i];
    const int number = kButtonNumbers.at(i);
    const std::string kelvin = std::to_string(preset.kelvin);
    buttons.push_back({"Command" + std::to_string(number), kelvin, kelvin + " kelvin", &preset,
                       placeOf(static_cast<int>(i), preset.kelvin), bandColour(preset.kelvin),
                       tabIndexOf(number)});
  }
  return buttons;
}

}  // namespace

std::span<const PresetButton> presetButtons() {
  static const std::vector<PresetButton> buttons = makeButtons();
  return buttons;
}

}  // namespace vespera
