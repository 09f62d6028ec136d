// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace vespera {

// Why a read or a write failed, from its errno, in the user's words: the C library gives
// its reasons in English only.
QString systemReason(int error);

}  // namespace vespera
