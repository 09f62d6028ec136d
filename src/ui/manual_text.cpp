#include "ui/manual_text.h"

namespace vespera {

QString manualText() {
  return QStringLiteral(
      u"Questo software è stato scritto per calcolare in modo pratico il diametro delle "
      u"stelle, senza dover svolgere a mano nessun calcolo. Le caselle gialle contengono i "
      u"dati da inserire, mentre nelle caselle bianche compaiono i risultati del calcolo. "
      u"Il dato più importante, da cui dipende tutto il resto, è la distanza della stella: "
      u"per le stelle vicine la si ricava dai cataloghi stellari, mentre per quelle lontane "
      u"si può assumere una distanza ipotetica; in questo caso il diametro ottenuto non sarà "
      u"un valore assoluto, ma ripetendo la misura a distanza di tempo si potrà comunque "
      u"seguire l'espansione o la contrazione della stella. Si inserisce poi la magnitudine "
      u"V misurata con il filtro fotometrico V e, per ultima, la magnitudine assoluta di un "
      u"metro quadrato della superficie della stella, che si ottiene premendo il pulsante "
      u"della temperatura corrispondente. La temperatura della stella si ricava da un "
      u"semplice spettro, anche a bassa risoluzione, oppure, per le stelle troppo deboli per "
      u"lo spettrografo, dall'indice di colore B-V: proprio il calcolo della temperatura da "
      u"B-V è la novità introdotta dalla versione 3 di Vespera. Poiché i pulsanti delle "
      u"temperature procedono a salti di parecchi gradi, si può ottenere un valore più "
      u"preciso scrivendo direttamente nella casella \"magnitudini al metro^2\" un numero "
      u"compreso tra quelli dei due pulsanti vicini alla temperatura trovata. La casella di "
      u"testo grigia accoglie il tipo spettrale ricavato dallo spettro e serve soltanto per "
      u"il salvataggio della misura nel file di testo. ATTENZIONE: controllate sempre che "
      u"nelle caselle i decimali siano separati da un punto e non da una virgola, perché su "
      u"alcuni computer i pulsanti delle temperature hanno scritto il loro valore nella "
      u"casella \"magnitudini al metro^2\" con la virgola, e in quel caso il risultato non è "
      u"attendibile. Le caselle arancioni, infine, sono dati aggiuntivi per gli ulteriori "
      u"calcoli che servono a ottenere il diametro della stella.");
}

}  // namespace vespera
