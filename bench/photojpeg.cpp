#include "photojpeg.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// A grid of random colours, interpolated smoothly across the picture.
class TColourGrid {
 public:
  TColourGrid(int columns, int rows, int width, int height, unsigned& random)
      : columns_(columns), rows_(rows), height_(height), colours_(size_t(columns) * rows * 3) {
    for (unsigned char& c : colours_) c = static_cast<unsigned char>(Next(random) % 256);
    for (int x = 0; x < width; ++x) {
      const double g = double(x) * (columns - 1) / std::max(1, width - 1);
      left_.push_back(std::min(int(g), columns - 2));
      weight_.push_back(g - left_.back());
    }
  }
  static unsigned Next(unsigned& state) {
    state ^= state << 13, state ^= state >> 17, state ^= state << 5;
    return state;
  }
  // Colour c of row y at column x.
  void Row(int y, std::vector<double>& out) {
    const double g = double(y) * (rows_ - 1) / std::max(1, height_ - 1);
    const int top = std::min(int(g), rows_ - 2);
    const double fy = g - top;
    for (size_t x = 0; x < left_.size(); ++x)
      for (int c = 0; c < 3; ++c) {
        auto at = [&](int row, int column) {
          return double(colours_[(size_t(row) * columns_ + column) * 3 + c]);
        };
        const int l = left_[x];
        const double fx = weight_[x];
        const double upper = at(top, l) + (at(top, l + 1) - at(top, l)) * fx;
        const double lower = at(top + 1, l) + (at(top + 1, l + 1) - at(top + 1, l)) * fx;
        out[x * 3 + c] = upper + (lower - upper) * fy;
      }
  }

 private:
  int columns_, rows_, height_;
  std::vector<unsigned char> colours_;
  std::vector<int> left_;
  std::vector<double> weight_;
};

// Broad areas of colour (a coarse grid), detail on top (a fine one, weaker)
// and grain.
class TColourField {
 public:
  TColourField(int width, int height, unsigned seed)
      : random_(seed * 2654435761u + 1),
        coarse_(7, 5, width, height, random_),
        fine_(96, 72, width, height, random_),
        broad_(size_t(width) * 3),
        detail_(size_t(width) * 3) {}
  // One row, 3 bytes a pixel (red, green, blue).
  void Row(int y, unsigned char* out) {
    coarse_.Row(y, broad_);
    fine_.Row(y, detail_);
    for (size_t i = 0; i < broad_.size(); i += 3) {
      const unsigned grain = TColourGrid::Next(random_);
      for (int c = 0; c < 3; ++c) {
        const int value = int(broad_[i + c] * 0.8 + (detail_[i + c] - 128) * 0.35) + 20 +
                          int(grain >> (8 * c) & 15) - 8;
        out[i + c] = static_cast<unsigned char>(std::clamp(value, 0, 255));
      }
    }
  }

 private:
  unsigned random_;
  TColourGrid coarse_, fine_;
  std::vector<double> broad_, detail_;
};

}  // namespace

bool WritePhotoJpeg(const std::string& path, int width, int height,
                    const TPhotoJpegOptions& options) {
  const std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  // Errors here (out of disk space) end the writing program: it is a tool.
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, file.get());
  c.image_width = JDIMENSION(width);
  c.image_height = JDIMENSION(height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  if (options.Gray) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
  jpeg_set_quality(&c, options.Quality, TRUE);
  if (options.Progressive) jpeg_simple_progression(&c);
  c.arith_code = options.Arithmetic ? TRUE : FALSE;
  c.restart_in_rows = options.RestartRows;
  jpeg_start_compress(&c, TRUE);
  TColourField field(width, height, options.Seed);
  std::vector<unsigned char> row(size_t(width) * 3);
  JSAMPROW rows[1] = {row.data()};
  for (int y = 0; y < height; ++y) {
    field.Row(y, row.data());
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fflush(file.get()) == 0;
}
