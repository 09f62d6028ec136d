// SPDX-License-Identifier: GPL-3.0-or-later

// GetKeyValue, case by case, and the rights a key is opened with, on the registry stand-in
// and, on Windows or under Wine, on the real registry through advapi32, each held to the
// result Windows documents. Plain C++ without Qt, so a bare cross compiler builds it. Under
// Wine the test stage first writes the keys of the cases below with wine reg add; the string
// stored without its terminator, which reg add cannot write, this check writes itself. Exits
// with 1 when a case differs.

#include "platform/memory_registry.h"
#include "platform/registry_value.h"
#include "platform/windows_registry.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace vespera;

namespace {

const std::string kTool = R"(C:\Program Files\Common Files\Microsoft Shared\MSInfo\msinfo32.exe)";
const std::string kNoTool = R"(C:\Program Files\Common Files\Microsoft Shared\NoTool)";
const std::string kOurs = R"(SOFTWARE\Vespera Check)";
const std::string kMsinfo = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
const std::string kLocation = R"(SOFTWARE\Microsoft\Shared Tools Location)";

// What GetKeyValue gives, in words: read or not, or a run-time error, and KeyVal after it;
// then how many bytes the registry says the value holds, or the error code it gives.
std::string said(const char* result, const std::string& text, const char* bytes) {
  return std::string(result) + ", \"" + text + "\", " + bytes;
}
std::string said(const char* result, const std::string& text, std::size_t bytes) {
  return said(result, text, (std::to_string(bytes) + " bytes").c_str());
}

// The size is asked for through a key opened with `access`. Windows grants a user without
// administrator rights no more than reading on HKEY_LOCAL_MACHINE, and a key opened without
// the right to query values refuses a query; Wine lets anyone write (sameOnWine false).
struct Case {
  const char* what;
  std::string key, value;
  std::string expected;  // KeyVal holds "unchanged" before the call
  std::uint32_t access = kKeyRead;
  bool sameOnWine = true;
};

const Case kCases[] = {
    {"the tool's path, with its terminator", kMsinfo, "PATH",
     said("read", kTool, kTool.size() + 1)},
    {"the folder whose tool is missing", kLocation, "MSINFO",
     said("read", kNoTool, kNoTool.size() + 1)},
    {"a name in other letter case", R"(software\microsoft\shared tools\msinfo)", "path",
     said("read", kTool, kTool.size() + 1)},
    {"a string without its terminator", kOurs, "Unterminated", said("read", "ABC", 3)},
    {"a DWORD", kOurs, "Number", said("read", "&h12345678", 4)},
    {"a binary value", kOurs, "Binary", said("read", "unchanged", 2)},
    {"a value of no bytes", kOurs, "Empty", said("run-time error", "unchanged", std::size_t(0))},
    {"a value longer than the buffer", kOurs, "Long",
     said("not read", "", kKeyValueBufferSize + 1)},
    {"a missing key", kOurs + "\\Missing", "PATH", said("not read", "", "error 2")},
    {"a missing value", kOurs, "Missing", said("not read", "", "error 2")},
    {"no right to query", kMsinfo, "PATH", said("read", kTool, "error 5"), kKeyEnumerateSubKeys},
    {"the right to set values", kMsinfo, "PATH", said("read", kTool, "error 5"),
     kKeyRead | kKeySetValue, false},
};

// The same keys in the stand-in.
void writeCases(MemoryRegistry& registry) {
  const auto hklm = kHkeyLocalMachine;
  registry.setString(hklm, kMsinfo, "PATH", kTool);
  registry.setString(hklm, kLocation, "MSINFO", kNoTool);
  registry.setString(hklm, kOurs, "Unterminated", "ABC", false);
  registry.setDword(hklm, kOurs, "Number", 0x12345678);
  registry.setValue(hklm, kOurs, "Binary", kRegistryBinary, "\x01\x02");
  registry.setValue(hklm, kOurs, "Empty", kRegistryBinary, "");
  registry.setString(hklm, kOurs, "Long", std::string(kKeyValueBufferSize, 'x'));
}

// The value's size as the registry reports it, read into a buffer as GetKeyValue does.
std::string storedBytes(Registry& registry, const Case& c) {
  RegistryHandle key = 0;
  std::uint8_t buffer[kKeyValueBufferSize];
  std::uint32_t type = 0, size = sizeof buffer;
  std::int32_t result = registry.openKey(predefinedKey(kHkeyLocalMachine), c.key, 0, c.access, key);
  if (result == kRegistrySuccess) {
    result = registry.queryValue(key, c.value, type, buffer, size);
    registry.closeKey(key);
  }
  if (result != kRegistrySuccess && result != kRegistryMoreData) {
    return "error " + std::to_string(result);
  }
  return std::to_string(size) + " bytes";
}

std::string outcome(Registry& registry, const Case& c) {
  std::uint32_t root = kHkeyLocalMachine;
  std::string key = c.key, value = c.value, text = "unchanged";
  const char* result = nullptr;
  try {
    result = GetKeyValue(registry, root, key, value, text) ? "read" : "not read";
  } catch (const RegistryValueError&) {
    result = "run-time error";
  }
  return said(result, text, storedBytes(registry, c).c_str());
}

#ifdef _WIN32
// Windows counts the terminator in whenever the byte after the data is 0, so "ABC" is
// written from "ABC!".
void writeUnterminatedString() {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kOurs.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>("ABC!"), 3);
  RegCloseKey(key);
}

#endif

}  // namespace

int main() {
#ifdef _WIN32
  writeUnterminatedString();
#endif
  MemoryRegistry memory;
  writeCases(memory);
  int failures = 0;
  for (const Case& c : kCases) {
    const std::string stand_in = outcome(memory, c);
    bool ok = stand_in == c.expected && memory.openHandleCount() == 0;
    std::printf("%-40s stand-in: %s", c.what, stand_in.c_str());
#ifdef _WIN32
    WindowsRegistry windows;
    const std::string real = outcome(windows, c);
    ok = ok && (real == stand_in || !c.sameOnWine);
    std::printf("; Windows: %s", real.c_str());
#endif
    std::printf("%s\n", ok ? "" : ("  <-- expected " + c.expected).c_str());
    failures += ok ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}
