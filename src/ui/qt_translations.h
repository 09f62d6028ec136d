// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>

class QTranslator;

namespace vespera {

// Qt's own texts (a text box's context menu, standard buttons) in the user's language,
// from the translations installed on the system; they stay English where there are none.
// Returns the translator installed, owned by the application, which deleting removes; or
// null where there is none.
QTranslator* installQtTranslations(const QLocale& locale = QLocale::system());

}  // namespace vespera
