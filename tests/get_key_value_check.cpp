// GetKeyValue, case by case, on the registry stand-in and, on Windows or under Wine, on the
// real registry through advapi32, each held to the result Windows documents. Plain C++
// without Qt, so a bare cross compiler builds it. Under Wine the test stage first writes
// the keys of the cases below into the registry (wine reg add, and a .reg file for the
// string without its terminator). Exits with 1 when any case differs.

#include "platform/memory_registry.h"
#include "platform/registry_value.h"
#include "platform/windows_registry.h"

#include <cstdio>
#include <string>

using namespace vespera;

namespace {

const std::string kTool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const std::string kNoTool = "C:\\Program Files\\Common Files\\Microsoft Shared\\NoTool";
const std::string kOurs = "SOFTWARE\\Vespera Check";
const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

// What GetKeyValue gives, in words: read or not, or a run-time error, and KeyVal after it.
std::string said(const char* result, const std::string& text) {
  return std::string(result) + ", \"" + text + "\"";
}

struct Case {
  const char* what;
  std::string key, value;
  std::string expected;  // KeyVal holds "unchanged" before the call
};

const Case kCases[] = {
    {"the tool's path, with its terminator", kMsinfo, "PATH", said("read", kTool)},
    {"the folder whose tool is missing", kLocation, "MSINFO", said("read", kNoTool)},
    {"a name in other letter case", "software\\microsoft\\shared tools\\msinfo", "path",
     said("read", kTool)},
    {"a string without its terminator", kOurs, "Unterminated", said("read", "ABC")},
    {"a DWORD", kOurs, "Number", said("read", "&h12345678")},
    {"a binary value", kOurs, "Binary", said("read", "unchanged")},
    {"a value of no bytes", kOurs, "Empty", said("run-time error", "unchanged")},
    {"a value longer than the buffer", kOurs, "Long", said("not read", "")},
    {"a missing key", kOurs + "\\Missing", "PATH", said("not read", "")},
    {"a missing value", kOurs, "Missing", said("not read", "")},
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

std::string outcome(Registry& registry, const Case& c) {
  std::uint32_t root = kHkeyLocalMachine;
  std::string key = c.key, value = c.value, text = "unchanged";
  try {
    return said(GetKeyValue(registry, root, key, value, text) ? "read" : "not read", text);
  } catch (const RegistryValueError&) {
    return said("run-time error", text);
  }
}

}  // namespace

int main() {
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
    ok = ok && real == stand_in;
    std::printf("; Windows: %s", real.c_str());
#endif
    std::printf("%s\n", ok ? "" : ("  <-- expected " + c.expected).c_str());
    failures += ok ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}
