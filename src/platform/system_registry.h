// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/registry.h"

#include <QStringList>

#include <memory>

namespace vespera {

// Desktop system-information programs looked for on systems without a
// registry, the preferred first.
QStringList systemInformationPrograms();

// The registry of this machine. On Windows, the system registry. Elsewhere a
// registry in memory whose only value is the one the About box looks for
// first: HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, "PATH",
// holding the full path of the first system-information program found in
// `searchPaths` (the folders of PATH when empty); with none found it holds
// nothing. Found once, when the registry is made.
std::unique_ptr<Registry> createSystemRegistry(const QStringList& searchPaths = {});

}  // namespace vespera
