#include "image.h"

#include <stdexcept>

TBitmap::TBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) throw std::runtime_error("Failed to create bitmap.");
  dc_.reset(CreateCompatibleDC(nullptr));
  if (!dc_) throw std::runtime_error("Failed to create device context.");
  oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  bits_ = static_cast<uint32_t*>(bits);
  FillPixels(View(), 0);
}

TBitmap::~TBitmap() {
  if (dc_ && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
}

TImage::TImage(TControl* parent, int left, int top, int width, int height)
    : TControl(parent,
               TControlStyle{RegisterControlClass("TImage", CS_DBLCLKS, nullptr), WS_CLIPSIBLINGS},
               "", left, top, width, height) {}

void TImage::NewPicture(int width, int height) {
  picture_ = std::make_unique<TBitmap>(width, height);
  SetSize(width, height);
  InvalidateAll();
}

TPixelView TImage::Canvas() const {
  return picture_ ? picture_->View() : TPixelView{};
}

void TImage::Invalidate(int left, int top, int width, int height) {
  RECT rect{left, top, left + width, top + height};
  InvalidateRect(Handle(), &rect, FALSE);
}

void TImage::Invalidate(const std::vector<RECT>& rects) {
  if (rects.size() == 1) InvalidateRect(Handle(), &rects.front(), FALSE);
  if (rects.size() < 2) return;
  // One region: each invalidation is a call to the system, a region is not.
  const UniqueRegion region(CreateRectRgnIndirect(&rects.front()));
  for (size_t n = 1; n < rects.size(); ++n) {
    const UniqueRegion more(CreateRectRgnIndirect(&rects[n]));
    CombineRgn(region.get(), region.get(), more.get(), RGN_OR);
  }
  InvalidateRgn(Handle(), region.get(), FALSE);
}

void TImage::InvalidateAll() {
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TImage::TakeKeyboard() {
  takesKeyboard_ = true;
  SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) | WS_TABSTOP);
}

LRESULT TImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE: {
      if (!takesKeyboard_) break;
      // Enter and Esc are asked for one by one: wanting every key would
      // take Tab too, and the focus could not leave the view.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      const bool ownKey = key && key->message == WM_KEYDOWN &&
                          (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE);
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (ownKey ? DLGC_WANTMESSAGE : 0);
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (takesKeyboard_ && !Focused()) SetFocus();
      break;
    default:
      break;
  }
  return TControl::HandleMessage(message, wParam, lParam);
}

void TImage::Paint(HDC dc, const RECT& area) {
  if (picture_ && picture_->Dc()) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, picture_->Dc(),
           area.left, area.top, SRCCOPY);
  } else {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  }
  if (OnPaintOver) OnPaintOver(dc);
}
