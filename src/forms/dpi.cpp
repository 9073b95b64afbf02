#include "dpi.h"

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using TSystemParametersInfoForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// The per-monitor entry points, or null on systems without them.
struct TDpiEntries {
  TGetDpiForWindow GetDpiForWindow = nullptr;
  TAdjustWindowRectExForDpi AdjustWindowRectExForDpi = nullptr;
  TSystemParametersInfoForDpi SystemParametersInfoForDpi = nullptr;

  TDpiEntries() {
    if (HMODULE user = GetModuleHandleA("user32.dll")) {
      GetDpiForWindow = reinterpret_cast<TGetDpiForWindow>(GetProcAddress(user, "GetDpiForWindow"));
      AdjustWindowRectExForDpi = reinterpret_cast<TAdjustWindowRectExForDpi>(
          GetProcAddress(user, "AdjustWindowRectExForDpi"));
      SystemParametersInfoForDpi = reinterpret_cast<TSystemParametersInfoForDpi>(
          GetProcAddress(user, "SystemParametersInfoForDpi"));
    }
  }
};

const TDpiEntries& Entries() {
  static const TDpiEntries entries;
  return entries;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  if (window && Entries().GetDpiForWindow) {
    const UINT dpi = Entries().GetDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  if (Entries().AdjustWindowRectExForDpi &&
      Entries().AdjustWindowRectExForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi)))
    return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}

LOGFONTA StatusFontForDpi(int dpi) {
  // The ANSI structure is what SystemParametersInfoA fills; the per-DPI call
  // only exists in its wide form, so its face name is converted.
  NONCLIENTMETRICSW wide{};
  wide.cbSize = sizeof wide;
  LOGFONTA font{};
  if (Entries().SystemParametersInfoForDpi &&
      Entries().SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof wide, &wide, 0,
                                           static_cast<UINT>(dpi))) {
    const LOGFONTW& status = wide.lfStatusFont;
    font.lfHeight = status.lfHeight;
    font.lfWidth = status.lfWidth;
    font.lfWeight = status.lfWeight;
    font.lfItalic = status.lfItalic;
    font.lfCharSet = status.lfCharSet;
    font.lfQuality = status.lfQuality;
    font.lfPitchAndFamily = status.lfPitchAndFamily;
    WideCharToMultiByte(CP_ACP, 0, status.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr,
                        nullptr);
    return font;
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfStatusFont;
}
