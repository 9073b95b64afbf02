// libFuzzer target: any bytes read as a game file, checked as a game load
// checks it, then written back and played on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "gamefile_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken =
      gamefile_properties::Check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "Broken: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
