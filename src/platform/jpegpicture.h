// JPEG files through libjpeg-turbo: decoded straight at the smallest scale
// the views allow (1/8, 1/4, 1/2 or 1) and reduced while the rows come, so
// that neither time nor memory grows with the photo. Used by TPictureSource.
#pragma once

#include <string>

#include "core/geometry.h"
#include "core/reduce.h"

enum class TJpegOutcome {
  Decoded,
  Damaged,  // the data is corrupt or ends early: no picture
  Refused,  // the library does not take this file (e.g. 12 bits): try another decoder
};

struct TJpegPicture {
  TJpegOutcome Outcome = TJpegOutcome::Refused;
  TSize Stored;         // the size as stored, before turning upright
  TRgbPicture Reduced;  // upright
};

// As TPictureSource has the area and least size (see picture.h). Never
// throws but std::bad_alloc.
TJpegPicture DecodeJpeg(const std::wstring& path, int orientation, int maxWidth, int maxHeight,
                        int minWidth, int minHeight);
