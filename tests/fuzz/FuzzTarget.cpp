// One libFuzzer target; the build compiles it once per entry point, naming
// the entry in ZAZ_FUZZ_ENTRY (see FuzzEntries.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zazfuzz::ZAZ_FUZZ_ENTRY(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
