// SPDX-License-Identifier: GPL-3.0-or-later

#include "system_reason.h"

#include <cerrno>
#include <cstring>

namespace vespera {

QString systemReason(int error) {
  switch (error) {
    case ENOSPC: return QStringLiteral("il disco \u00E8 pieno");
#ifdef EDQUOT  // disk quotas are a Unix thing
    case EDQUOT: return QStringLiteral("lo spazio concesso all'utente sul disco \u00E8 esaurito");
#endif
    case EFBIG: return QStringLiteral("il file supera la dimensione massima consentita");
    case EBADF: return QStringLiteral("il descrittore \u00E8 chiuso, o non aperto per questo uso");
    case EIO: return QStringLiteral("errore del dispositivo");
    case EISDIR: return QStringLiteral("\u00E8 una cartella");
    case ENOENT: return QStringLiteral("una cartella del percorso non esiste");
    case ENOTDIR: return QStringLiteral("nel percorso c'\u00E8 un file al posto di una cartella");
    case EACCES:
    case EPERM: return QStringLiteral("permesso negato");
    case ENOMEM: return QStringLiteral("memoria esaurita");
    default: return QString::fromLocal8Bit(std::strerror(error));
  }
}

}  // namespace vespera
