// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/field_store.h"
#include "core/runtime.h"

#include <span>

namespace vespera {

// A temperature button: the temperature in kelvin it is captioned with, and the absolute V
// magnitude of one square metre of a star at that temperature.
struct TemperaturePreset {
  int kelvin;
  double surfaceMagnitude;
};

// The 91 presets, coolest first; the surface magnitude falls as the temperature rises.
std::span<const TemperaturePreset> temperaturePresets();

// A preset's press: the surface magnitude, then the temperature. Nothing is read and
// nothing else changes.
void pressPreset(const TemperaturePreset& preset, FieldStore& store, Runtime& runtime);

}  // namespace vespera
