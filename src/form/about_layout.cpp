// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/about_layout.h"

#include "core/app_identity.h"

namespace vespera {

std::string aboutTitle() { return "Informazioni su " + std::string(kApplicationTitle); }

std::string aboutVersion() {
  return "Versione " + std::to_string(kVersionMajor) + '.' + std::to_string(kVersionMinor) + '.' +
         std::to_string(kVersionRevision);
}

}  // namespace vespera
