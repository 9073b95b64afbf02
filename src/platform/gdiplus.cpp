#include "gdiplus.h"

#include "gdiplusapi.h"

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
