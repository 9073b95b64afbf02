#include "gdiplus.h"

// The GDI+ headers use the min and max macros that NOMINMAX removes.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

ULONG_PTR StartGdiplus(const TGdiplusStartupInput& input) {
  Gdiplus::GdiplusStartupInput startup;
  startup.GdiplusVersion = input.GdiplusVersion;
  startup.DebugEventCallback = reinterpret_cast<Gdiplus::DebugEventProc>(input.DebugEventCallback);
  startup.SuppressBackgroundThread = input.SuppressBackgroundThread;
  startup.SuppressExternalCodecs = input.SuppressExternalCodecs;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &startup, nullptr) != Gdiplus::Ok) return 0;
  return token;
}

void StopGdiplus(ULONG_PTR token) {
  if (token) Gdiplus::GdiplusShutdown(token);
}
