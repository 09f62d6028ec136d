// SPDX-License-Identifier: GPL-3.0-or-later

// The core without Qt: the manual's sample request pressed through the window's controls by
// name, on a period and on a comma machine, then saved, with the texts, messages and bytes
// a user of the window gets. Prints each difference and exits 1 on any.

#include "core/recording_runtime.h"
#include "form/form_controls.h"

#include <cstdio>
#include <string>

using namespace vespera;

namespace {

int failures = 0;

void expect(const std::string& seen, const std::string& wanted, const char* what) {
  if (seen == wanted) return;
  std::fprintf(stderr, "%s: \"%s\", not \"%s\"\n", what, seen.c_str(), wanted.c_str());
  ++failures;
}

}  // namespace

int main() {
  for (const std::string point : {".", ","}) {
    MemoryFieldStore store;
    showFreshCaptions(store);
    RecordingRuntime runtime(point);
    store.setText(Field::ApparentMagnitude, "4" + point + "83");
    store.setText(Field::DistanceParsecs, "10");
    store.setText(Field::FileName, "sole.txt");
    for (const char* control : {"Command55", "Command41", "Command98"}) {
      pressControl(control, store, runtime);
    }
    expect(store.text(Field::TemperatureKelvin), "5750", "temperature");
    expect(store.text(Field::SurfaceMagnitude), "50" + point + "7", "surface magnitude");
    expect(store.text(Field::DiameterMetres), "1548478941" + point + "99956", "diameter");
    expect(store.text(Field::DiameterToSun), "1" + point + "11321275485231", "ratio to the Sun");
    expect(store.text(Field::DistanceKilometres), "308600000000000", "kilometres");
    expect(runtime.files["sole.txt"], "Magnitudine Assoluta V4" + point + "83(B-V)\r\n", "record");
    expect(std::to_string(runtime.messages.size()) + " " + runtime.messages.at(0).title, "1 Salva",
           "messages");
  }
  // The degree sign of the angular record is one byte, 0xB0, in the file.
  MemoryFieldStore store;
  showFreshCaptions(store);
  RecordingRuntime runtime;
  store.setText(Field::AngleArcMinutes, "30");
  for (const char* control : {"Command108", "Command110"}) pressControl(control, store, runtime);
  expect(runtime.files["C:\\.txt"],
         "Dimensione angolare in(\xB0)0.5Calcolo diametro con dimensione angolareKilometri\r\n",
         "angular record");
  return failures == 0 ? 0 : 1;
}
