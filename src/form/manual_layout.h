// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/form_layout.h"

#include <string_view>

namespace vespera {

// The manual as data, for the desktop's window and the web page's: the whole text in one
// label, in a window of fixed size that the user can only close, and that scrolls its text
// where the screen is too small for the whole of it.
inline constexpr std::string_view kManualControl = "Dialog";
inline constexpr std::string_view kManualLabelControl = "Label1";
inline constexpr std::string_view kManualTitle = "Manuale";
// Where the client area was designed to stand on the screen, and its size.
inline constexpr Twips kManualPlace{2760, 3750, 12750, 8715};
// The label, 240 twips in from the client area's corner.
inline constexpr Twips kManualLabelRect{240, 240, 12375, 8295};
inline constexpr FontChoice kManualFont{"Comic Sans MS", 14.25, false};

// One paragraph of Italian prose, no line breaks; the window wraps it at word boundaries.
inline constexpr std::string_view kManualText =
    "Questo software \u00E8 stato scritto per calcolare in modo pratico il diametro delle "
    "stelle, senza dover svolgere a mano nessun calcolo. Le caselle gialle contengono i "
    "dati da inserire, mentre nelle caselle bianche compaiono i risultati del calcolo. "
    "Il dato pi\u00F9 importante, da cui dipende tutto il resto, \u00E8 la distanza della stella: "
    "per le stelle vicine la si ricava dai cataloghi stellari, mentre per quelle lontane "
    "si pu\u00F2 assumere una distanza ipotetica; in questo caso il diametro ottenuto non "
    "sar\u00E0 "
    "un valore assoluto, ma ripetendo la misura a distanza di tempo si potr\u00E0 comunque "
    "seguire l'espansione o la contrazione della stella. Si inserisce poi la magnitudine "
    "V misurata con il filtro fotometrico V e, per ultima, la magnitudine assoluta di un "
    "metro quadrato della superficie della stella, che si ottiene premendo il pulsante "
    "della temperatura corrispondente. La temperatura della stella si ricava da un "
    "semplice spettro, anche a bassa risoluzione, oppure, per le stelle troppo deboli per "
    "lo spettrografo, dall'indice di colore B-V: proprio il calcolo della temperatura da "
    "B-V \u00E8 la novit\u00E0 introdotta dalla versione 3 di Vespera. Poich\u00E9 i pulsanti "
    "delle "
    "temperature procedono a salti di parecchi gradi, si pu\u00F2 ottenere un valore pi\u00F9 "
    "preciso scrivendo direttamente nella casella \"magnitudini al metro^2\" un numero "
    "compreso tra quelli dei due pulsanti vicini alla temperatura trovata. La casella di "
    "testo grigia accoglie il tipo spettrale ricavato dallo spettro e serve soltanto per "
    "il salvataggio della misura nel file di testo. ATTENZIONE: controllate sempre che "
    "nelle caselle i decimali siano separati da un punto e non da una virgola, perch\u00E9 su "
    "alcuni computer i pulsanti delle temperature hanno scritto il loro valore nella "
    "casella \"magnitudini al metro^2\" con la virgola, e in quel caso il risultato non \u00E8 "
    "attendibile. Le caselle arancioni, infine, sono dati aggiuntivi per gli ulteriori "
    "calcoli che servono a ottenere il diametro della stella.";

}  // namespace vespera
