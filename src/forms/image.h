// An image control holding a retained bitmap: the program paints into the
// bitmap's pixels, and the window's repainting only shows them.
#pragma once

#include <memory>
#include <vector>

#include "core/pixels.h"
#include "platform/handles.h"
#include "control.h"

// A 32-bit top-down DIB section, selected into its own memory device context.
class TBitmap {
 public:
  TBitmap(int width, int height);  // black
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelView View() const { return TPixelView{bits_, width_, height_, width_}; }
  HDC Dc() const { return dc_.get(); }

 private:
  int width_ = 0;
  int height_ = 0;
  uint32_t* bits_ = nullptr;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

class TImage : public TControl {
 public:
  TImage(TControl* parent, int left, int top, int width, int height);

  // Gives the control a new black bitmap of this size and makes the control
  // just as large.
  void NewPicture(int width, int height);
  TBitmap* Picture() const { return picture_.get(); }
  // The pixels, to paint into; then Invalidate what changed.
  TPixelView Canvas() const;
  void Invalidate(int left, int top, int width, int height);
  // Several rectangles in one invalidation.
  void Invalidate(const std::vector<RECT>& rects);
  void InvalidateAll();

  // The view takes part in the keyboard: Tab reaches it, a click focuses it,
  // and it receives the arrows, Enter, Esc and letters (Tab still leaves).
  void TakeKeyboard();
  // Drawn over the bitmap's pixels at each repaint, which keeps the bitmap
  // itself free of marks that come and go (the keyboard cursor).
  std::function<void(HDC dc)> OnPaintOver;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& area) override;

 private:
  std::unique_ptr<TBitmap> picture_;
  bool takesKeyboard_ = false;
};
