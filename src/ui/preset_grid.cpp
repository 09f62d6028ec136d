#include "ui/preset_grid.h"

#include <array>

namespace vespera {
namespace {

struct ColourBand {
  int hottest;  // kelvin, inclusive
  QColor colour;
};

// From dark red for the coolest stars to dark purple for the hottest.
const std::array<ColourBand, 17> kBands{{
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

QColor bandColour(int kelvin) {
  for (const auto& band : kBands) {
    if (kelvin <= band.hottest) return band.colour;
  }
  return kBands.back().colour;
}

// The tab order follows the button names, not the screen.
int tabIndexOf(int button) {
  if (button <= 40) return button - 1;
  if (button <= 48) return 49 + (button - 43);
  if (button <= 84) return 61 + (button - 49);
  return 98 + (button - 85);
}

}  // namespace

PresetButtonLook presetButtonLook(std::size_t index, const TemperaturePreset& preset) {
  const int i = static_cast<int>(index);
  const int tallCells = kTallColumns * kTallColumnRows;
  const int column =
      i < tallCells ? i / kTallColumnRows : kTallColumns + (i - tallCells) / kShortColumnRows;
  const int row = i < tallCells ? i % kTallColumnRows
                                : kShortColumnFirstRow + (i - tallCells) % kShortColumnRows;
  int width = 975;
  int height = 195;
  if (preset.kelvin <= 3400) {
    width = 972;
    height = 192;
  } else if (preset.kelvin == 34000) {
    width = 972;
  }
  return {{360 + 1080 * column, 1200 + 240 * row, width, height},
          bandColour(preset.kelvin),
          tabIndexOf(preset.button)};
}

}  // namespace vespera
