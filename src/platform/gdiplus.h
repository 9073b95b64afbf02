// GDI+ start-up and shut-down. The program runs one session from WinMain for
// the lifetime of its windows.
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

// GDI+ running for the session's lifetime. Whatever decodes pictures takes a
// reference to one, so that it cannot be made before GDI+ runs.
class TGdiplusSession {
 public:
  TGdiplusSession() : token_(StartGdiplus(TGdiplusStartupInput{})) {}
  ~TGdiplusSession() { StopGdiplus(token_); }
  TGdiplusSession(const TGdiplusSession&) = delete;
  TGdiplusSession& operator=(const TGdiplusSession&) = delete;
  bool Started() const { return token_ != 0; }

 private:
  ULONG_PTR token_;
};
