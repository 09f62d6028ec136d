#pragma once

#include <QLocale>

namespace vespera {

// Qt's own texts (a text box's context menu, standard buttons) in the user's language,
// from the translations installed on the system; they stay English where there are none.
void installQtTranslations(const QLocale& locale = QLocale::system());

}  // namespace vespera
