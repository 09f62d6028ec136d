// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/runtime.h"
#include "form/about_layout.h"
#include "platform/launcher.h"
#include "platform/registry.h"

namespace vespera {

// Where the registry keys name the system-information tool.
inline constexpr const char* kMsinfoKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
inline constexpr const char* kMsinfoPathValue = "PATH";
inline constexpr const char* kSharedToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSharedToolsMsinfoValue = "MSINFO";

// The name of the tool in the folder the second registry key names.
inline constexpr const char* kMsinfoProgramName = "MSINFO32.EXE";

// Finds the system-information tool and starts it, or tells the user that it
// is unavailable. The tool's full path is the value PATH of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, started as it
// stands; failing that, the folder in the value MSINFO of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools Location, when it holds
// a file MSINFO32.EXE. Any error on the way ends in the one message.
void StartSysInfo(Registry& registry, Launcher& launcher, Runtime& runtime);

}  // namespace vespera
