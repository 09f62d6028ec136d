// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/form_layout.h"

#include <string>
#include <string_view>

namespace vespera {

// The About box as data, for the desktop's dialog and the web page's: its controls, their
// places in twips on the box's client area, and its texts.
inline constexpr std::string_view kAboutControl = "frmAbout";
inline constexpr Twips kAboutClientArea{0, 0, 5730, 3555};

// The program's icon, at its own size, with its top left corner here.
inline constexpr std::string_view kAboutIconControl = "picIcon";
inline constexpr TwipsPoint kAboutIconCorner{240, 240};

struct AboutLabel {
  std::string_view control;
  Twips rect;
};

inline constexpr AboutLabel kAboutTitleLabel{"lblTitle", {1050, 240, 3885, 480}};
inline constexpr AboutLabel kAboutVersionLabel{"lblVersion", {1050, 780, 3885, 225}};
inline constexpr AboutLabel kAboutDescriptionLabel{"lblDescription", {1050, 1125, 3885, 1170}};

struct AboutButton {
  std::string_view control;
  std::string_view caption;  // '&' marks the access key
  Twips rect;
};

// OK is the default button, and Esc presses it too.
inline constexpr AboutButton kAboutOkButton{"cmdOK", "OK", {4320, 2625, 1260, 345}};
inline constexpr AboutButton kAboutSystemInfoButton{
    "cmdSysInfo", "&System Info...", {4320, 3075, 1245, 345}};

// The etched separator, the control array Line1: a grey line one pixel thick with a white
// one two pixels thick just below it, and in front of it.
struct AboutLine {
  int index;
  int fromX, toX, y;  // twips
  int thickness;      // pixels
  Rgb colour;
};

inline constexpr AboutLine kAboutGreyLine{1, 90, 5654, 2445, 1, {128, 128, 128}};
inline constexpr AboutLine kAboutWhiteLine{0, 105, 5654, 2460, 2, {255, 255, 255}};

// Two sentences joined with no blank after the full stop, as the box has always shown them.
inline constexpr std::string_view kAboutDescription =
    "Questo software \u00E8 stato scritto dal suo autore, socio di un gruppo di astrofili."
    "Un sentito ringraziamento a un amico dell'autore per l'aiuto con le formule "
    "matematiche che il programma utilizza.";

// What System Info says where the system's information tool cannot be started.
inline constexpr std::string_view kSystemInfoUnavailable =
    "Le informazioni sul sistema non sono attualmente disponibili.";

std::string aboutTitle();    // the box's title: "Informazioni su Vespera 3.3"
std::string aboutVersion();  // lblVersion: "Versione 3.3.0"

}  // namespace vespera
