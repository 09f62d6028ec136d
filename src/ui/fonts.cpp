#include "ui/fonts.h"

#include "form/font_substitutes.h"
#include "ui/twips.h"

#include <QFont>
#include <QStringList>

#ifdef VESPERA_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace vespera {

void installFontSubstitutes() {
  for (const FontSubstitute& row : fontSubstitutes()) {
    QStringList substitutes;
    for (const std::string_view family : substitutesOf(row.family)) substitutes << qText(family);
    QFont::insertSubstitutions(qText(row.family), substitutes);
  }
}

std::jthread readFontConfigurationAhead() {
#ifdef VESPERA_HAS_FONTCONFIG
  return std::jthread([] { FcInit(); });
#else
  return {};
#endif
}

}  // namespace vespera
