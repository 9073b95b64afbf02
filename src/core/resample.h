// Scaling pictures for the views, so that a big photo is read once and both
// views are drawn from a small copy of it:
//
//   1. TBoxReducer averages whole blocks of k by k' source pixels while the
//      decoded rows stream past (every source pixel is added once), and keeps
//      the result upright. The factors leave at least twice the size of the
//      picture fitted into the largest view, so no detail a view can show is
//      lost.
//   2. ResampleInto stretches that copy (or decoded rows) into a view: a view
//      less than a quarter of the source's size first averages blocks the same
//      way, down to twice its size; then a separable cubic filter, widened by
//      the scale when shrinking, makes fine patterns average out instead of
//      aliasing.
//
// Transparent pictures are composed over black (premultiplied) on the way in.
#pragma once

#include <cstdint>
#include <functional>

#include "pixels.h"
#include "reduce.h"

// The rows of a picture to resample, asked for top to bottom, each once; a
// null row counts as black.
struct TRowSource {
  int32_t Width = 0;
  int32_t Height = 0;
  TPixelLayout Layout = TPixelLayout::Bgr24;
  std::function<const uint8_t*(int32_t y)> Row;
};

// Stretches the whole source over the whole target, independently in both
// directions: a cubic filter (Catmull-Rom) when enlarging, the same filter
// widened by the scale when shrinking. A source at least four times the
// target's size is first averaged in whole blocks down to at least twice it,
// as its rows come. Beyond its edges the source is mirrored when shrinking and
// repeated when enlarging. Leaves the target unchanged when either is empty.
void ResampleInto(const TRowSource& source, const TPixelView& target);
void ResampleInto(const TRgbPicture& source, const TPixelView& target);
