// libFuzzer target: any bytes read as a stored text list, then the typed reads
// and writes on what came out.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "storedtext_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken =
      storedtext_properties::Check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "Broken: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
