#include "ui/form1_layout.h"

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
constexpr FontChoice kOwnWindowFont{};  // no font of its own

using enum Parent;
using enum BoxRole;

// The table rows stay aligned as written, however wide: each row reads as one record.
// clang-format off
constexpr std::array<FieldRow, 20> kFields{{
    {Field::Text1, "Label2", Window, DataToEnter, kVerdana, {2520, 600, 975, 285}, 41},
    {Field::Text2, "Label3", Window, DataToEnter, kVerdana, {1440, 600, 975, 288}, 42},
    {Field::Text3, "Label4", Window, DataToEnter, kVerdana, {360, 600, 975, 285}, 44},
    {Field::Text4, "Label5", Window, Result, kVerdana, {5280, 840, 2535, 285}, 55},
    {Field::Text5, "Label6", Window, Result, kVerdana, {5280, 240, 2535, 285}, 56},
    {Field::Text6, "Label7", Window, Result, kVerdana, {5280, 1440, 2535, 285}, 57},
    {Field::Text7, "Label12", Frame2, Result, kVerdana, {120, 480, 975, 288}, 111},
    {Field::Text8, "Label11", Frame2, AdditionalInput, kVerdana, {4680, 480, 732, 288}, 112},
    {Field::Text9, "Label10", Frame2, AdditionalInput, kVerdana, {5520, 480, 732, 288}, 113},
    {Field::Text10, "Label13", Frame2, DataToEnter, kVerdana, {1200, 480, 975, 288}, 118},
    {Field::Text11, "Label15", Frame3, AdditionalInput, kVerdana, {120, 960, 3495, 285}, 124},
    {Field::Text12, "Label9", Frame3, AdditionalInput, kOwnWindowFont, {120, 1920, 3495, 285}, 131},
    {Field::Text13, "Label8", Frame1, DataToEnter, kOwnWindowFont, {480, 600, 975, 300}, 127},
    {Field::Text14, "Label19", Frame1, Result, kOwnWindowFont, {1560, 600, 2055, 300}, 129},
    {Field::Text15, "Label14", Frame3, AdditionalInput, kOwnWindowFont, {120, 2880, 3495, 285}, 138},
    {Field::Text16, "Label16", Frame3, AdditionalInput, kOwnWindowFont, {120, 3840, 3495, 285}, 142},
    {Field::Text17, "Label18", Frame1, AdditionalInput, kOwnWindowFont, {120, 1560, 975, 285}, 143},
    {Field::Text18, "Label17", Frame1, AdditionalInput, kOwnWindowFont, {1200, 1560, 975, 285}, 144},
    {Field::Text19, "Label20", Window, SystemBackground, kOwnWindowFont, {840, 5760, 495, 285}, 153},
    {Field::NomeFile, nullptr, Window, Result, {"Arial", 9.75}, {3600, 2520, 4215, 285}, 97},
}};

constexpr std::array<LabelRow, 20> kLabels{{
    {"Label1", "Temperatura Stella in Kelvin", Window, {360, 960, 2652, 252}, {"MS Sans Serif", 9.75}, false, 40},
    {"Label2", "Magnitudine assoluta V/m^2", Window, {2400, 120, 1215, 375}, kArial825, true, 46},
    {"Label3", "Magnitudine apparente V", Window, {1440, 120, 972, 492}, kArial825, true, 47},
    {"Label4", "Distanza Parsec", Window, {360, 120, 855, 375}, kArial825, true, 48},
    {"Label5", "Diametro Stella in metri", Window, {5280, 600, 1935, 255}, kArial825, false, 58},
    {"Label6", "Magnitudine Assoluta V", Window, {5280, 0, 1815, 255}, kArial825, false, 59},
    {"Label7", "Rapporto Diametro Stella con il Sole ", Window, {5280, 1200, 2655, 375}, kArial825, false, 60},
    {"Label8", "Dimensione angolare in(\u00B0)", Frame1, {120, 360, 1815, 495}, kOwnWindowFont, false, 128},
    {"Label9", "Anni Luce", Frame3, {1440, 1440, 975, 255}, kOwnWindowFont, false, 133},
    {"Label10", "mag.V", Frame2, {5640, 240, 495, 255}, kSansSerif825, false, 114},
    {"Label11", "mag.B", Frame2, {4800, 240, 495, 255}, kSansSerif825, false, 115},
    {"Label12", "Temperatura K", Frame2, {120, 240, 1095, 255}, kArial9, false, 116},
    {"Label13", "(B-V)", Frame2, {1440, 240, 495, 255}, kArial9, true, 119},
    {"Label14", "Unit\u00E0 Astronomica", Frame3, {1200, 2400, 1575, 255}, kOwnWindowFont, false, 135},
    {"Label15", "Parallasse trigonometrica in milli secondi d'arco", Frame3, {960, 240, 2055, 495}, kOwnWindowFont, false, 125},
    {"Label16", "Kilometri ", Frame3, {1560, 3360, 735, 255}, kOwnWindowFont, false, 139},
    {"Label17", "Secondi \"", Frame1, {1320, 1320, 855, 255}, kOwnWindowFont, false, 145},
    {"Label18", "Primi '", Frame1, {360, 1320, 495, 255}, kOwnWindowFont, false, 146},
    {"Label19", "Kilometri", Frame1, {2280, 360, 735, 255}, kOwnWindowFont, false, 148},
    {"Label20", "Tipo spettrale", Window, {120, 5640, 735, 495}, kOwnWindowFont, false, 152},
}};

constexpr std::array<FrameRow, 3> kFrames{{
    {Frame1, "Frame1", "Calcolo diametro con dimensione angolare", {7920, 120, 3735, 1935}, false, 126},
    {Frame3, "Frame3", "Trasporto dati s\u00F9 distanza Parsec", {7920, 2040, 3735, 4215}, true, 121},
    {Frame2, "Frame2", "Calcolo temperatura valido con B-V tra 0 e 2", {1440, 5280, 6375, 975}, false, 109},
}};

using enum ButtonLook;
constexpr FontChoice kTimes9{"Times New Roman", 9};
constexpr FontChoice kVerdana9{"Verdana", 9};

const std::array<ButtonRow, 20> kButtons{{
    {"Command41", "CALCOLA", Window, {3600, 240, 1575, 555}, {"Arial", 11.25}, Grey, 43, Command41_Click,
     "CALCOLA: diametro della stella"},
    {"Command51", "RESET", Window, {3600, 840, 855, 300}, kArial9, Grey, 63, Command51_Click,
     "RESET: tutti i campi"},
    {"Command42", "ESCI", Window, {4560, 840, 615, 300}, {"Arial", 9.75}, Grey, 45, nullptr},
    {"Command84", "Salva Misura in C:\\.... .txt", Window, {3600, 1200, 1575, 495}, kTimes9, Grey, 96, Command84_Click},
    {"Command98", "Salva solo con Mag.Assoluta", Window, {3600, 1800, 4215, 255}, kTimes9, Grey, 120, Command98_Click},
    {"Command110", "Salva misura solo con dimensione angolare", Window, {3600, 2160, 4215, 255}, kOwnWindowFont, Standard, 150, Command110_Click},
    {"Command101", "CALCOLA ", Frame1, {2280, 960, 1335, 880}, {"Times New Roman", 12}, Standard, 130, Command101_Click,
     "CALCOLA: kilometri dalla dimensione angolare"},
    {"Command108", "", Frame1, {480, 960, 375, 355}, kOwnWindowFont, Picture, 149, Command108_Click,
     "Converti i primi d'arco in gradi"},
    {"Command109", "", Frame1, {1080, 960, 375, 355}, kOwnWindowFont, Picture, 147, Command109_Click,
     "Converti i secondi d'arco in gradi"},
    {"Command99", "CALCOLA", Frame3, {120, 720, 1815, 255}, kVerdana9, Standard, 122, Command99_Click,
     "CALCOLA: parsec dalla parallasse"},
    {"Command100", "RESET", Frame3, {1920, 720, 1695, 255}, kVerdana9, Standard, 123, Command100_Click,
     "RESET: parallasse"},
    {"Command102", "CALCOLA", Frame3, {120, 1680, 1815, 255}, kOwnWindowFont, Standard, 132, Command102_Click,
     "CALCOLA: parsec dagli anni luce"},
    {"Command103", "RESET", Frame3, {1920, 1680, 1695, 255}, kOwnWindowFont, Standard, 134, Command103_Click,
     "RESET: anni luce"},
    {"Command104", "CALCOLA", Frame3, {120, 2640, 1815, 255}, kOwnWindowFont, Standard, 136, Command104_Click,
     "CALCOLA: parsec dalle unit\u00E0 astronomiche"},
    {"Command105", "RESET", Frame3, {1920, 2640, 1695, 255}, kOwnWindowFont, Standard, 137, Command105_Click,
     "RESET: unit\u00E0 astronomiche"},
    {"Command106", "CALCOLA", Frame3, {120, 3600, 1815, 255}, kOwnWindowFont, Standard, 140, Command106_Click,
     "CALCOLA: parsec dai kilometri"},
    {"Command107", "RESET", Frame3, {1920, 3600, 1695, 255}, kOwnWindowFont, Standard, 141, Command107_Click,
     "RESET: kilometri"},
    {"Command97", "RESET", Frame2, {2280, 240, 1095, 255}, kArial9, Grey, 117, Command97_Click,
     "RESET: temperatura e B-V"},
    {"Command96", "CALCOLA", Frame2, {2280, 500, 1095, 285}, kArial9, Grey, 110, Command96_Click,
     "CALCOLA: temperatura da B-V"},
    {"Command111", "Calcola (B-V)", Frame2, {3600, 280, 975, 495}, kOwnWindowFont, Standard, 151, Command111_Click},
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
// clang-format on

}  // namespace

std::span<const FieldRow> form1Fields() { return kFields; }
std::span<const LabelRow> form1Labels() { return kLabels; }
std::span<const FrameRow> form1Frames() { return kFrames; }
std::span<const ButtonRow> form1Buttons() { return kButtons; }
std::span<const LineRow> form1Lines() { return kLines; }

QColor boxColour(BoxRole role) {
  switch (role) {
    case DataToEnter: return {255, 255, 192};
    case Result: return {255, 255, 255};
    case AdditionalInput: return {255, 224, 192};
    case SystemBackground: return {};
  }
  return {};
}

}  // namespace vespera
