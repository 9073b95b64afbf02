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

TWindowTemplate ScaleWindowTemplate(const TWindowTemplate& layout, int32_t dpi) {
  // As the platform's MulDiv rounds: halves away from zero.
  auto scale = [dpi](int32_t value) {
    const int64_t product = int64_t{value} * dpi;
    return static_cast<int32_t>(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
  };
  auto scaleRect = [&](const TRect& rect) {
    return TRect{scale(rect.Left), scale(rect.Top), scale(rect.Width), scale(rect.Height)};
  };
  TWindowTemplate scaled = layout;
  scaled.MinWidth = scale(layout.MinWidth);
  scaled.MinHeight = scale(layout.MinHeight);
  scaled.Margin = scale(layout.Margin);
  scaled.MainPanelWidth = scale(layout.MainPanelWidth);
  scaled.OriginalGroupBox = scaleRect(layout.OriginalGroupBox);
  scaled.OriginalImage = scaleRect(layout.OriginalImage);
  scaled.PuzzleGroupBox = scaleRect(layout.PuzzleGroupBox);
  scaled.PuzzleImage = scaleRect(layout.PuzzleImage);
  return scaled;
}

TWindowArrangement ArrangeWindowOn(int32_t workWidth, int32_t workHeight,
                                   const TWindowTemplate& layout) {
  int32_t width = std::max(static_cast<int32_t>(workWidth * 0.95), layout.MinWidth);
  int32_t height = std::max(static_cast<int32_t>(workHeight * 0.95), layout.MinHeight);
  // The system would not make the window larger than the screen and its
  // frames anyway. Cut to that, centring puts the side and bottom frames just
  // off the screen and the title bar at its top edge, like a maximised window.
  width = std::min(width, workWidth + layout.NonClientWidth);
  height = std::min(height, workHeight + layout.NonClientWidth);
  TWindowArrangement result =
      ArrangeClientArea(width - layout.NonClientWidth, height - layout.NonClientHeight, layout);
  result.Window = TRect{(workWidth - width) / 2, (workHeight - height) / 2, width, height};
  return result;
}

TRect KeepWithin(TRect rect, const TRect& area) {
  rect.Left = std::max(std::min(rect.Left, area.Left + area.Width - rect.Width), area.Left);
  rect.Top = std::max(std::min(rect.Top, area.Top + area.Height - rect.Height), area.Top);
  return rect;
}

TWindowArrangement ArrangeClientArea(int32_t clientWidth, int32_t clientHeight,
                                     const TWindowTemplate& layout) {
  TWindowArrangement result;
  const int32_t margin = layout.Margin;
  // On a screen too small for the window a box may get no room; never less.
  auto atLeastNothing = [](int32_t size) { return std::max(size, int32_t{0}); };
  const TRect& original = layout.OriginalGroupBox;
  const int32_t l =
      std::max(layout.MainPanelWidth, static_cast<int32_t>(clientWidth * 0.35 - original.Left));

  result.OriginalGroupBox =
      TRect{original.Left, original.Top, l, atLeastNothing(clientHeight - original.Top - margin)};
  result.OriginalImage =
      TRect{layout.OriginalImage.Left, layout.OriginalImage.Top, atLeastNothing(l - 2 * margin),
            atLeastNothing(result.OriginalGroupBox.Height - 2 * margin)};

  const int32_t p = atLeastNothing(clientWidth - l - 2 * original.Left - margin);
  result.PuzzleGroupBox = TRect{original.Left + l + margin, layout.PuzzleGroupBox.Top, p,
                                atLeastNothing(clientHeight - layout.PuzzleGroupBox.Top - margin)};
  result.PuzzleImage =
      TRect{layout.PuzzleImage.Left, layout.PuzzleImage.Top, atLeastNothing(p - 2 * margin),
            atLeastNothing(result.PuzzleGroupBox.Height - layout.PuzzleImage.Top - margin)};
  return result;
}
