// Screen resolution. The windows are designed in pixels at 96 dots per inch;
// each is laid out at the DPI of the monitor it is on. The per-monitor entry
// points are loaded when the system has them (Windows 10 and later); before
// that every window has the system's DPI.
#pragma once

#include <windows.h>

constexpr int kDesignDpi = 96;

// The message a per-monitor aware window gets on a monitor of another DPI.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// A figure in pixels at 96 DPI, in pixels at this DPI.
inline int ScaleToDpi(int value, int dpi) {
  return MulDiv(value, dpi, kDesignDpi);
}

// Frames one pixel wide at 96 DPI grow with the DPI, so they stay visible:
// round(dpi / 96) pixels.
inline int LineWidthForDpi(int dpi) {
  return dpi < kDesignDpi ? 1 : (dpi + kDesignDpi / 2) / kDesignDpi;
}

// The DPI of the monitor a window is on.
int WindowDpi(HWND window);

// The window rectangle for a client rectangle, at a DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// The font of the system's status texts and hints, at a DPI.
LOGFONTA StatusFontForDpi(int dpi);
