// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator as the web page's WebAssembly module: a C interface over one PageSession,
// with texts in UTF-8. The page's script starts it with the browser's decimal separator,
// copies its text boxes in before each press and replays the outcome (JSON) after it.

#include "web/page_json.h"

#include <emscripten/emscripten.h>

#include <memory>

namespace {

std::unique_ptr<vespera::PageSession>& session() {
  static std::unique_ptr<vespera::PageSession> current;
  return current;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void vespera_start(const char* localeSeparator) {
  session() = std::make_unique<vespera::PageSession>(localeSeparator);
}

EMSCRIPTEN_KEEPALIVE int vespera_set_text(const char* control, const char* text) {
  return session()->setText(control, text) ? 1 : 0;
}

// Valid until the next press.
EMSCRIPTEN_KEEPALIVE const char* vespera_press(const char* control) {
  static std::string answer;
  const vespera::FieldTexts before = vespera::textsOf(session()->fields());
  const vespera::PressOutcome outcome = session()->press(control);
  answer = vespera::outcomeJson(outcome, before, session()->fields());
  return answer.c_str();
}
}
