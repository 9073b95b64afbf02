// GDI+ start-up and shut-down; the main window runs GDI+ for its lifetime.
#pragma once

#include <windows.h>

struct TGdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

// Returns the token for StopGdiplus; 0 when GDI+ did not start.
ULONG_PTR StartGdiplus(const TGdiplusStartupInput& input);
void StopGdiplus(ULONG_PTR token);
