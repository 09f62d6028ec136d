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
    expect(runtime.files["sole.txt"], "Magnitudine Assoluta V4" + point + "83(B-V)\r\n", "record");
    expect(std::to_string(runtime.messages.size()) + " " + runtime.messages.at(0).title, "1 Salva",
           "messages");
  }
  return failures == 0 ? 0 : 1;
}
