#include "ui/fonts.h"

#include <QFont>
#include <QStringList>

#ifdef VESPERA_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace vespera {

void installFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Verdana"), QStringList{QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                             {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
}

std::jthread readFontConfigurationAhead() {
#ifdef VESPERA_HAS_FONTCONFIG
  return std::jthread([] { FcInit(); });
#else
  return {};
#endif
}

}  // namespace vespera
