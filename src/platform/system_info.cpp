// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/system_info.h"

#include "platform/registry_value.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace vespera {

namespace {

// The folder from the registry joined to the tool's name with a backslash, as
// Windows writes paths. Elsewhere the backslashes are directory separators too.
std::filesystem::path programInFolder(const std::string& folder) {
  std::string joined = folder + '\\' + kMsinfoProgramName;
#ifndef _WIN32
  std::ranges::replace(joined, '\\', '/');
#endif
  return std::filesystem::path(joined);
}

// The directory search: a regular file of exactly that name; a path that
// cannot be searched finds nothing.
bool isNormalFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

QString fromRegistryText(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// Starts the tool found through the first of the two keys that names one: its own path, or
// the shared tools' folder with a tool of that name in it; false when neither does.
bool startedSystemInfo(Registry& registry, Launcher& launcher) {
  try {
    std::uint32_t root = kHkeyLocalMachine;
    std::string pathKey = kMsinfoKey;
    std::string pathValue = kMsinfoPathValue;
    std::string path;
    if (GetKeyValue(registry, root, pathKey, pathValue, path)) {
      launcher.start(fromRegistryText(path));
      return true;
    }

    std::string folderKey = kSharedToolsLocationKey;
    std::string folderValue = kSharedToolsMsinfoValue;
    if (GetKeyValue(registry, root, folderKey, folderValue, path)) {
      const std::filesystem::path program = programInFolder(path);
      if (isNormalFile(program)) {
        launcher.start(fromRegistryText(program.string()));
        return true;
      }
    }
    return false;
  } catch (const std::exception&) {
    return false;  // every error on the way, RuntimeError included: the tool is unavailable
  }
}

}  // namespace

void StartSysInfo(Registry& registry, Launcher& launcher, Runtime& runtime) {
  if (!startedSystemInfo(registry, launcher)) runtime.messageBox(kSystemInfoUnavailable, kNoIcon);
}

}  // namespace vespera
