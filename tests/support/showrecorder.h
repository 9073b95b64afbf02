// A recorder that stands in for the error dialog, so that no test blocks on
// a window. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/funstat.h"

namespace test {

// Records what would have gone to the error dialog, so that no test blocks on
// a window.
class TShowRecorder {
 public:
  struct TShown {
    std::string Headline;
    std::string Description;
    std::string RaiseFunction;
    std::string Parameter1;
    uint32_t SystemErrorCode;
  };
  TShowRecorder() {
    TFunStatContext::ShowHandler = [this](const TFunStatContext& context,
                                          const std::string& headline, bool*) {
      Shows.push_back({headline, context.Description, context.RaiseFunction, context.Parameter1,
                       context.SystemErrorCode});
      return true;
    };
    FunStatContext.Reset(fsPerfect);
  }
  ~TShowRecorder() { TFunStatContext::ShowHandler = nullptr; }
  TShowRecorder(const TShowRecorder&) = delete;
  TShowRecorder& operator=(const TShowRecorder&) = delete;

  std::vector<TShown> Shows;
};

}  // namespace test
