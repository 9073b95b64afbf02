// Picture files through GDI+: the patterns of every format the platform
// decodes, and one decoding of a picture from which both views are drawn.
// GDI+ must be running (see gdiplus.h).
#pragma once

#include <string>

#include "core/pixels.h"
#include "core/resample.h"

// The decoders' file patterns, lower case, ";" between decoders; usable as a
// file dialog filter and as a match specification. Empty when the platform
// has no decoder. Runs in its own status frame.
std::string GetPictureExtensionsAsFilter();

// A picture file decoded once, kept as a copy reduced to what the largest
// view needs; the decoded picture itself is released before the constructor
// returns.
//
//   TPictureSource picture(path, 767, 893);
//   TSize fitted = FitSizeToBox(picture.Width(), picture.Height(), ...);
//   picture.DrawInto(puzzleView);
//   picture.DrawInto(originalView);
class TPictureSource {
 public:
  // Never fails: a file that does not decode (damaged, truncated, empty, of
  // an unknown format, missing), a picture too big to decode in a 32-bit
  // process, or a path of 260 characters or more reads as 0 by 0. maxWidth
  // and maxHeight are the largest target it will be drawn into (upright);
  // 0 keeps the picture at full size.
  TPictureSource(const std::string& fileName, int maxWidth, int maxHeight);

  // The size shown upright, after the camera's recorded orientation.
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return reduced_.Empty(); }

  // Stretches the whole picture over the whole target, independently in x
  // and y, in high quality; a transparent picture comes out as if drawn over
  // black. Leaves the target unchanged when the picture is empty.
  void DrawInto(const TPixelView& target) const;

 private:
  int width_ = 0;
  int height_ = 0;
  TPixelBuffer reduced_;  // upright
};
