#include "geometry.h"

#include <algorithm>

TSize FitSizeToBox(int32_t sourceWidth, int32_t sourceHeight, int32_t boxWidth, int32_t boxHeight,
                   bool enlarge) {
  if (sourceWidth < 1 || sourceHeight < 1) return TSize{0, 0};
  // 64-bit products: a 30000-pixel picture times a box side overflows 32 bits.
  int32_t w = enlarge ? boxWidth : std::min(boxWidth, sourceWidth);
  int32_t h = (w == sourceWidth) ? sourceHeight
                                 : static_cast<int32_t>(int64_t{sourceHeight} * w / sourceWidth);
  if (h <= boxHeight) return TSize{w, h};
  h = enlarge ? boxHeight : std::min(boxHeight, sourceHeight);
  w = (h == sourceHeight) ? sourceWidth
                          : static_cast<int32_t>(int64_t{sourceWidth} * h / sourceHeight);
  return TSize{w, h};
}

TWindowArrangement ArrangeWindowOn(int32_t workWidth, int32_t workHeight,
                                   const TWindowTemplate& layout) {
  TWindowArrangement result;
  int32_t width = std::max(static_cast<int32_t>(workWidth * 0.95), layout.MinWidth);
  int32_t height = std::max(static_cast<int32_t>(workHeight * 0.95), layout.MinHeight);
  result.Window = TRect{(workWidth - width) / 2, (workHeight - height) / 2, width, height};

  const int32_t clientWidth = width - layout.NonClientWidth;
  const int32_t clientHeight = height - layout.NonClientHeight;
  const TRect& original = layout.OriginalGroupBox;
  const int32_t l =
      std::max(layout.MainPanelWidth, static_cast<int32_t>(clientWidth * 0.35 - original.Left));

  result.OriginalGroupBox = TRect{original.Left, original.Top, l, clientHeight - original.Top - 5};
  result.OriginalImage = TRect{layout.OriginalImage.Left, layout.OriginalImage.Top, l - 10,
                               result.OriginalGroupBox.Height - 10};

  const int32_t p = clientWidth - l - 2 * original.Left - 5;
  result.PuzzleGroupBox = TRect{original.Left + l + 5, layout.PuzzleGroupBox.Top, p,
                                clientHeight - layout.PuzzleGroupBox.Top - 5};
  result.PuzzleImage = TRect{layout.PuzzleImage.Left, layout.PuzzleImage.Top, p - 10,
                             result.PuzzleGroupBox.Height - layout.PuzzleImage.Top - 5};
  return result;
}
