// Picture files through GDI+: the patterns of every format the platform
// decodes, and one decoding of a picture from which both views are drawn.
// GDI+ must be running (see gdiplus.h).
#pragma once

#include <memory>
#include <string>

#include "core/pixels.h"
#include "core/resample.h"

// The decoders' file patterns, lower case, ";" between decoders: the picture
// dialog's filter and the patterns a picture's name must match. Empty when
// the platform has no decoder. Runs in its own status frame.
std::string GetPictureExtensionsAsFilter();

// A picture file decoded once, for drawing into both views.
//
//   TPictureSource picture(path, puzzleAreaWidth, puzzleAreaHeight);
//   TSize fitted = FitSizeToBox(picture.Width(), picture.Height(), ...);
//   picture.DrawInto(puzzleView);
//   picture.DrawInto(originalView);
//
// A JPEG is decoded by libjpeg-turbo (see jpegpicture.h), straight at a
// reduced scale, and kept as a small upright copy, whatever its size. Other
// pictures go through GDI+: one at least four times the size it gets in the
// area is reduced (and a photo taken turned is turned upright) while its rows
// are read, and the decoded picture is released before the constructor
// returns. A smaller upright one is kept as GDI+ decoded it, since a copy
// would cost as much memory again; its file then stays open until the source
// is destroyed.
class TPictureSource {
 public:
  // Never fails: a file that does not decode (damaged, truncated, empty, of
  // an unknown format, missing), a picture other than a JPEG too big to
  // decode in a 32-bit process, or a path of 260 characters or more reads as
  // 0 by 0. maxWidth
  // and maxHeight are the area the largest view is fitted into (the puzzle
  // area): a reduced copy keeps at least twice the picture's size fitted
  // there. 0 keeps the picture at full size. minWidth and minHeight are the
  // least size a view shows the picture at (one piece), which the fitted
  // size of a very wide or tall picture falls short of.
  TPictureSource(const std::string& fileName, int maxWidth, int maxHeight, int minWidth = 0,
                 int minHeight = 0);
  ~TPictureSource();
  TPictureSource(const TPictureSource&) = delete;
  TPictureSource& operator=(const TPictureSource&) = delete;

  // The size shown upright, after the camera's recorded orientation.
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0; }

  // Stretches the whole picture over the whole target, independently in x
  // and y, in high quality; a transparent picture comes out as if drawn over
  // black. Leaves the target unchanged when the picture is empty.
  void DrawInto(const TPixelView& target) const;

 private:
  struct TDecoded;  // the GDI+ picture, when it is kept
  int width_ = 0;
  int height_ = 0;
  TRgbPicture reduced_;  // upright
  std::unique_ptr<TDecoded> decoded_;
};
