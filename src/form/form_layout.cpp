// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form_layout.h"

#include "calc/angular_diameter.h"
#include "calc/bv_temperature.h"
#include "calc/diameter.h"
#include "calc/distance_units.h"
#include "storage/measurement_file.h"

#include <array>

namespace vespera {
namespace {

constexpr FontChoice kVerdana{"Verdana", 9.75};
constexpr FontChoice kArial825{"Arial", 8.25};
constexpr FontChoice kArial9{"Arial", 9};
constexpr FontChoice kSansSerif825{"MS Sans Serif", 8.25};
constexpr FontChoice kTimes9{"Times New Roman", 9};
constexpr FontChoice kVerdana9{"Verdana", 9};
constexpr FontChoice kOwnWindowFont{};  // no font of its own

using enum Parent;
using enum BoxRole;
using enum ButtonLook;

// The table rows stay aligned as written, however wide: each row reads as one record.
// clang-format off
constexpr std::array<FieldRow, kFieldCount> kFields{{
    {"Text1", Field::SurfaceMagnitude, Caption::SurfaceMagnitude, Window, DataToEnter, kVerdana, {2520, 600, 975, 285}, 41},
    {"Text2", Field::ApparentMagnitude, Caption::ApparentMagnitude, Window, DataToEnter, kVerdana, {1440, 600, 975, 288}, 42},
    {"Text3", Field::DistanceParsecs, Caption::DistanceParsecs, Window, DataToEnter, kVerdana, {360, 600, 975, 285}, 44},
    {"Text4", Field::DiameterMetres, Caption::DiameterMetres, Window, Result, kVerdana, {5280, 840, 2535, 285}, 55},
    {"Text5", Field::AbsoluteMagnitude, Caption::AbsoluteMagnitude, Window, Result, kVerdana, {5280, 240, 2535, 285}, 56},
    {"Text6", Field::DiameterToSun, Caption::DiameterToSun, Window, Result, kVerdana, {5280, 1440, 2535, 285}, 57},
    {"Text7", Field::TemperatureKelvin, Caption::TemperatureKelvin, ColourIndexPanel, Result, kVerdana, {120, 480, 975, 288}, 111},
    {"Text8", Field::MagnitudeB, Caption::MagnitudeB, ColourIndexPanel, AdditionalInput, kVerdana, {4680, 480, 732, 288}, 112},
    {"Text9", Field::MagnitudeV, Caption::MagnitudeV, ColourIndexPanel, AdditionalInput, kVerdana, {5520, 480, 732, 288}, 113},
    {"Text10", Field::ColourIndex, Caption::ColourIndex, ColourIndexPanel, DataToEnter, kVerdana, {1200, 480, 975, 288}, 118},
    {"Text11", Field::ParallaxMilliarcseconds, Caption::ParallaxMilliarcseconds, DistancePanel, AdditionalInput, kVerdana, {120, 960, 3495, 285}, 124},
    {"Text12", Field::DistanceLightYears, Caption::DistanceLightYears, DistancePanel, AdditionalInput, kOwnWindowFont, {120, 1920, 3495, 285}, 131},
    {"Text13", Field::AngleDegrees, Caption::AngleDegrees, AngularPanel, DataToEnter, kOwnWindowFont, {480, 600, 975, 300}, 127},
    {"Text14", Field::AngularDiameterKilometres, Caption::AngularDiameterKilometres, AngularPanel, Result, kOwnWindowFont, {1560, 600, 2055, 300}, 129, "Diametro in Kilometri dalla dimensione angolare"},
    {"Text15", Field::DistanceAstronomicalUnits, Caption::DistanceAstronomicalUnits, DistancePanel, AdditionalInput, kOwnWindowFont, {120, 2880, 3495, 285}, 138},
    {"Text16", Field::DistanceKilometres, Caption::DistanceKilometres, DistancePanel, AdditionalInput, kOwnWindowFont, {120, 3840, 3495, 285}, 142, "Distanza in Kilometri"},
    {"Text17", Field::AngleArcMinutes, Caption::AngleArcMinutes, AngularPanel, AdditionalInput, kOwnWindowFont, {120, 1560, 975, 285}, 143},
    {"Text18", Field::AngleArcSeconds, Caption::AngleArcSeconds, AngularPanel, AdditionalInput, kOwnWindowFont, {1200, 1560, 975, 285}, 144},
    {"Text19", Field::SpectralType, Caption::SpectralType, Window, SystemBackground, kOwnWindowFont, {840, 5760, 495, 285}, 153},
    {"NomeFile", Field::FileName, std::nullopt, Window, Result, {"Arial", 9.75}, {3600, 2520, 4215, 285}, 97},
}};

constexpr std::array<LabelRow, 20> kLabels{{
    {"Label1", Caption::PresetTemperatures, "Temperatura Stella in Kelvin", Window, {360, 960, 2652, 252}, {"MS Sans Serif", 9.75}, false, 40},
    {"Label2", Caption::SurfaceMagnitude, "Magnitudine assoluta V/m^2", Window, {2400, 120, 1215, 375}, kArial825, true, 46},
    {"Label3", Caption::ApparentMagnitude, "Magnitudine apparente V", Window, {1440, 120, 972, 492}, kArial825, true, 47},
    {"Label4", Caption::DistanceParsecs, "Distanza Parsec", Window, {360, 120, 855, 375}, kArial825, true, 48},
    {"Label5", Caption::DiameterMetres, "Diametro Stella in metri", Window, {5280, 600, 1935, 255}, kArial825, false, 58},
    {"Label6", Caption::AbsoluteMagnitude, "Magnitudine Assoluta V", Window, {5280, 0, 1815, 255}, kArial825, false, 59},
    {"Label7", Caption::DiameterToSun, "Rapporto Diametro Stella con il Sole ", Window, {5280, 1200, 2655, 375}, kArial825, false, 60},
    {"Label8", Caption::AngleDegrees, "Dimensione angolare in(\u00B0)", AngularPanel, {120, 360, 1815, 495}, kOwnWindowFont, false, 128},
    {"Label9", Caption::DistanceLightYears, "Anni Luce", DistancePanel, {1440, 1440, 975, 255}, kOwnWindowFont, false, 133},
    {"Label10", Caption::MagnitudeV, "mag.V", ColourIndexPanel, {5640, 240, 495, 255}, kSansSerif825, false, 114},
    {"Label11", Caption::MagnitudeB, "mag.B", ColourIndexPanel, {4800, 240, 495, 255}, kSansSerif825, false, 115},
    {"Label12", Caption::TemperatureKelvin, "Temperatura K", ColourIndexPanel, {120, 240, 1095, 255}, kArial9, false, 116},
    {"Label13", Caption::ColourIndex, "(B-V)", ColourIndexPanel, {1440, 240, 495, 255}, kArial9, true, 119},
    {"Label14", Caption::DistanceAstronomicalUnits, "Unit\u00E0 Astronomica", DistancePanel, {1200, 2400, 1575, 255}, kOwnWindowFont, false, 135},
    {"Label15", Caption::ParallaxMilliarcseconds, "Parallasse trigonometrica in milli secondi d'arco", DistancePanel, {960, 240, 2055, 495}, kOwnWindowFont, false, 125},
    {"Label16", Caption::DistanceKilometres, "Kilometri ", DistancePanel, {1560, 3360, 735, 255}, kOwnWindowFont, false, 139},
    {"Label17", Caption::AngleArcSeconds, "Secondi \"", AngularPanel, {1320, 1320, 855, 255}, kOwnWindowFont, false, 145},
    {"Label18", Caption::AngleArcMinutes, "Primi '", AngularPanel, {360, 1320, 495, 255}, kOwnWindowFont, false, 146},
    {"Label19", Caption::AngularDiameterKilometres, "Kilometri", AngularPanel, {2280, 360, 735, 255}, kOwnWindowFont, false, 148},
    {"Label20", Caption::SpectralType, "Tipo spettrale", Window, {120, 5640, 735, 495}, kOwnWindowFont, false, 152},
}};

constexpr std::array<PanelRow, 3> kPanels{{
    {"Frame1", Caption::AngularPanel, AngularPanel, "Calcolo diametro con dimensione angolare", {7920, 120, 3735, 1935}, false, 126},
    {"Frame3", Caption::DistancePanel, DistancePanel, "Trasporto dati s\u00F9 distanza Parsec", {7920, 2040, 3735, 4215}, true, 121},
    {"Frame2", Caption::ColourIndexPanel, ColourIndexPanel, "Calcolo temperatura valido con B-V tra 0 e 2", {1440, 5280, 6375, 975}, false, 109},
}};

constexpr std::array<ButtonRow, 20> kButtons{{
    {"Command41", "CALCOLA", Window, {3600, 240, 1575, 555}, {"Arial", 11.25}, Grey, 43, calculateDiameter,
     "CALCOLA: diametro della stella"},
    {"Command51", "RESET", Window, {3600, 840, 855, 300}, kArial9, Grey, 63, resetAllFields,
     "RESET: tutti i campi"},
    {"Command42", "ESCI", Window, {4560, 840, 615, 300}, {"Arial", 9.75}, Grey, 45, WindowCommand::Exit},
    {"Command84", "Salva Misura in C:\\.... .txt", Window, {3600, 1200, 1575, 495}, kTimes9, Grey, 96, saveFullMeasurement},
    {"Command98", "Salva solo con Mag.Assoluta", Window, {3600, 1800, 4215, 255}, kTimes9, Grey, 120, saveAbsoluteMagnitudeMeasurement},
    {"Command110", "Salva misura solo con dimensione angolare", Window, {3600, 2160, 4215, 255}, kOwnWindowFont, Standard, 150, saveAngularSizeMeasurement},
    {"Command101", "CALCOLA ", AngularPanel, {2280, 960, 1335, 880}, {"Times New Roman", 12}, Standard, 130, diameterFromAngle,
     "CALCOLA: kilometri dalla dimensione angolare"},
    {"Command108", "", AngularPanel, {480, 960, 375, 355}, kOwnWindowFont, ArrowUpRight, 149, degreesFromArcMinutes,
     "Converti i primi d'arco in gradi"},
    {"Command109", "", AngularPanel, {1080, 960, 375, 355}, kOwnWindowFont, ArrowUpLeft, 147, degreesFromArcSeconds,
     "Converti i secondi d'arco in gradi"},
    {"Command99", "CALCOLA", DistancePanel, {120, 720, 1815, 255}, kVerdana9, Standard, 122, parsecsFromParallax,
     "CALCOLA: parsec dalla parallasse"},
    {"Command100", "RESET", DistancePanel, {1920, 720, 1695, 255}, kVerdana9, Standard, 123, clearParallax,
     "RESET: parallasse"},
    {"Command102", "CALCOLA", DistancePanel, {120, 1680, 1815, 255}, kOwnWindowFont, Standard, 132, parsecsFromLightYears,
     "CALCOLA: parsec dagli anni luce"},
    {"Command103", "RESET", DistancePanel, {1920, 1680, 1695, 255}, kOwnWindowFont, Standard, 134, clearLightYears,
     "RESET: anni luce"},
    {"Command104", "CALCOLA", DistancePanel, {120, 2640, 1815, 255}, kOwnWindowFont, Standard, 136, parsecsFromAstronomicalUnits,
     "CALCOLA: parsec dalle unit\u00E0 astronomiche"},
    {"Command105", "RESET", DistancePanel, {1920, 2640, 1695, 255}, kOwnWindowFont, Standard, 137, clearAstronomicalUnits,
     "RESET: unit\u00E0 astronomiche"},
    {"Command106", "CALCOLA", DistancePanel, {120, 3600, 1815, 255}, kOwnWindowFont, Standard, 140, parsecsFromKilometres,
     "CALCOLA: parsec dai kilometri"},
    {"Command107", "RESET", DistancePanel, {1920, 3600, 1695, 255}, kOwnWindowFont, Standard, 141, clearKilometres,
     "RESET: kilometri"},
    {"Command97", "RESET", ColourIndexPanel, {2280, 240, 1095, 255}, kArial9, Grey, 117, resetColourIndexPanel,
     "RESET: temperatura e B-V"},
    {"Command96", "CALCOLA", ColourIndexPanel, {2280, 500, 1095, 285}, kArial9, Grey, 110, temperatureFromColourIndex,
     "CALCOLA: temperatura da B-V"},
    {"Command111", "Calcola (B-V)", ColourIndexPanel, {3600, 280, 975, 495}, kOwnWindowFont, Standard, 151, colourIndexFromMagnitudes},
}};

// Two arrows: from the preset heading up to the surface-magnitude box, and
// from the B-V panel up to the first preset column.
constexpr std::array<LineRow, 7> kLines{{
    {"Line1", {3000, 1150}, {3000, 960}},
    {"Line2", {3000, 960}, {3120, 1080}},
    {"Line3", {3000, 960}, {2880, 1080}},
    {"Line4", {1440, 5520}, {840, 5520}},
    {"Line5", {840, 5520}, {840, 5280}},
    {"Line6", {840, 5280}, {960, 5400}},
    {"Line7", {840, 5280}, {720, 5400}},
}};

constexpr std::array<MenuRow, 3> kMenus{{
    {"mnuFile", "&File", "mnuStampa", "&Stampa", WindowCommand::Print},
    {"mnuAiuto", "&Aiuto", "mnuManuale", "&Manuale", WindowCommand::OpenManual},
    {"mnuAiuto", "&Aiuto", "mnuProdotto", "&Prodotto", WindowCommand::OpenAbout},
}};
// clang-format on

}  // namespace

std::span<const FieldRow> formFields() { return kFields; }
std::span<const LabelRow> formLabels() { return kLabels; }
std::span<const PanelRow> formPanels() { return kPanels; }
std::span<const ButtonRow> formButtons() { return kButtons; }
std::span<const LineRow> formLines() { return kLines; }
std::span<const MenuRow> formMenus() { return kMenus; }

std::optional<Rgb> boxColour(BoxRole role) {
  switch (role) {
    case DataToEnter: return Rgb{255, 255, 192};
    case Result: return Rgb{255, 255, 255};
    case AdditionalInput: return Rgb{255, 224, 192};
    case SystemBackground: return std::nullopt;
  }
  return std::nullopt;
}

std::string_view controlOf(Field field) {
  for (const FieldRow& row : kFields) {
    if (row.field == field) return row.control;
  }
  return {};
}

std::string_view controlOf(Caption caption) {
  for (const LabelRow& row : kLabels) {
    if (row.caption == caption) return row.control;
  }
  for (const PanelRow& row : kPanels) {
    if (row.caption == caption) return row.control;
  }
  return {};
}

std::optional<Field> fieldOfControl(std::string_view control) {
  for (const FieldRow& row : kFields) {
    if (row.control == control) return row.field;
  }
  return std::nullopt;
}

}  // namespace vespera
