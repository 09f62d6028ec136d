// GetKeyValue on the in-memory registry, in plain C++ with no Qt and no test
// framework, so that it builds with a bare cross compiler and runs wherever
// the registry code runs. Returns non-zero when a check fails.

#include "platform/memory_registry.h"
#include "platform/registry_value.h"
#include "platform/windows_registry.h"

#include <cstdio>
#include <string>

using namespace vespera;

namespace {

int failures = 0;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    ++failures;
  }
}

struct Outcome {
  bool result = false;
  std::string keyVal;
  bool threw = false;
};

Outcome read(MemoryRegistry& registry, const char* key, const char* value, std::string keyVal) {
  std::uint32_t root = kHkeyLocalMachine;
  std::string keyName = key;
  std::string valueName = value;
  Outcome outcome;
  try {
    outcome.result = GetKeyValue(registry, root, keyName, valueName, keyVal);
  } catch (const RegistryValueError&) {
    outcome.threw = true;
  }
  outcome.keyVal = keyVal;
  return outcome;
}

}  // namespace

int main() {
  const char* key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  MemoryRegistry registry;
  registry.setString(kHkeyLocalMachine, key, "WithZero", "C:\\msinfo32.exe", true);
  registry.setString(kHkeyLocalMachine, key, "WithoutZero", "C:\\msinfo32.exe", false);
  registry.setValue(kHkeyLocalMachine, key, "Empty", kRegistryString, std::string());
  registry.setDword(kHkeyLocalMachine, key, "Number", 0x0A0B0C0Du);
  registry.setValue(kHkeyLocalMachine, key, "Binary", kRegistryBinary, std::string("\x01\x02", 2));
  registry.setString(kHkeyLocalMachine, key, "Long", std::string(1024, 'x'), true);

  Outcome o = read(registry, key, "WithZero", "before");
  check(o.result && o.keyVal == "C:\\msinfo32.exe", "a string loses its terminating 0");
  o = read(registry, key, "WithoutZero", "before");
  check(o.result && o.keyVal == "C:\\msinfo32.exe", "a string without a 0 is kept whole");
  o = read(registry, key, "Number", "before");
  check(o.result && o.keyVal == "&h0A0B0C0D", "a number is rendered after &h");
  o = read(registry, key, "Binary", "before");
  check(o.result && o.keyVal == "before", "another type leaves KeyVal as it was");
  o = read(registry, key, "Long", "before");
  check(!o.result && o.keyVal.empty(), "a value longer than the buffer is not read");
  o = read(registry, key, "Missing", "before");
  check(!o.result && o.keyVal.empty(), "a missing value empties KeyVal");
  o = read(registry, "SOFTWARE\\Missing", "PATH", "before");
  check(!o.result && o.keyVal.empty(), "a missing key empties KeyVal");
  o = read(registry, key, "Empty", "before");
  check(o.threw, "a value of 0 bytes is a run-time error");
  check(registry.openHandleCount() == 0, "every key is closed");

#ifdef _WIN32
  // The system registry answers a missing key the same way.
  WindowsRegistry system;
  std::uint32_t root = kHkeyLocalMachine;
  std::string missingKey = "SOFTWARE\\Vespera check\\no such key";
  std::string valueName = "PATH";
  std::string keyVal = "before";
  check(!GetKeyValue(system, root, missingKey, valueName, keyVal) && keyVal.empty(),
        "a missing key of the system registry empties KeyVal");
  RegistryHandle machine = 0;
  check(system.openKey(predefinedKey(kHkeyLocalMachine), "SOFTWARE", 0, kKeyQueryValue, machine) ==
            kRegistrySuccess,
        "HKEY_LOCAL_MACHINE\\SOFTWARE opens for reading");
  check(system.closeKey(machine) == kRegistrySuccess, "an open key closes");
#endif

  if (failures == 0) std::puts("GetKeyValue: all checks passed");
  return failures == 0 ? 0 : 1;
}
