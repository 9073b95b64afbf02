// Test pictures whose content is known: a grid of cells, each in its own
// colour, with a dark mark in its top-left corner so that mirrored pieces
// show. Written as 24-bit BMP files, which every decoder reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace testpicture {

// The colour (0xRRGGBB) of the cell at (column, row).
inline uint32_t CellColour(int column, int row) {
  return (uint32_t(40 + 7 * column) << 16) | (uint32_t(40 + 7 * row) << 8) | 160u;
}

// The cell a colour belongs to; false when it is none of them (for example
// the mark, a frame or a blend at a border).
inline bool CellOfColour(uint32_t colour, int& column, int& row, int tolerance = 2) {
  const int red = int(colour >> 16 & 0xFF), green = int(colour >> 8 & 0xFF),
            blue = int(colour & 0xFF);
  if (blue < 160 - tolerance || blue > 160 + tolerance) return false;
  const int c = (red - 40 + 3) / 7, r = (green - 40 + 3) / 7;
  if (c < 0 || r < 0 || c >= 30 || r >= 30) return false;
  const int dr = red - (40 + 7 * c), dg = green - (40 + 7 * r);
  if (dr < -tolerance || dr > tolerance || dg < -tolerance || dg > tolerance) return false;
  column = c;
  row = r;
  return true;
}

inline bool WriteBmp(const std::string& path, int width, int height,
                     const std::function<uint32_t(int x, int y)>& pixel) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t imageSize = uint32_t(stride) * uint32_t(height);
  std::vector<unsigned char> file(54 + imageSize, 0);
  auto put32 = [&](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(width));
  put32(22, uint32_t(height));
  file[26] = 1;
  file[28] = 24;
  put32(34, imageSize);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = &file[54 + size_t(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = pixel(x, y);
      row[3 * x] = static_cast<unsigned char>(colour);
      row[3 * x + 1] = static_cast<unsigned char>(colour >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(colour >> 16);
    }
  }
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

// A picture of columns x rows cells of cellWidth x cellHeight pixels.
inline bool WriteGridPicture(const std::string& path, int columns, int rows, int cellWidth,
                             int cellHeight) {
  return WriteBmp(path, columns * cellWidth, rows * cellHeight, [&](int x, int y) {
    const int column = x / cellWidth, row = y / cellHeight;
    const int dx = x % cellWidth, dy = y % cellHeight;
    const bool mark = dx >= cellWidth / 8 && dx < cellWidth * 3 / 8 && dy >= cellHeight / 8 &&
                      dy < cellHeight * 3 / 8;
    return mark ? 0x101010u : CellColour(column, row);
  });
}

}  // namespace testpicture
