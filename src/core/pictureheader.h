// What a picture file's header says before anything is decoded: its size, so
// that a picture too big to decode in a 32-bit process is refused up front,
// and the orientation its camera recorded (Exif tag 0x0112).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

enum class TPictureFormat { Unknown, Bmp, Gif, Jpeg, Png, Tiff };

struct TPictureHeader {
  TPictureFormat Format = TPictureFormat::Unknown;
  int32_t Width = 0;  // as stored, before the orientation is applied
  int32_t Height = 0;
  int32_t Orientation = 0;  // 1 to 8 when recorded, 0 when the file says nothing
  bool Complete = true;     // false for a JPEG whose compressed data stops short
};

// Reads up to size bytes at offset into data and returns how many it read.
using TReadAt = std::function<size_t(uint64_t offset, uint8_t* data, size_t size)>;

// Never fails: what cannot be read stays at its default.
TPictureHeader ReadPictureHeader(const TReadAt& readAt, uint64_t fileSize);

// Pictures beyond this many pixels (or 65535 in either direction) are not
// decoded whole (by GDI+, or as a progressive JPEG): their decoding needs
// several copies of 4 bytes a pixel, more than a 32-bit process can count on.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 27;
bool PictureTooLarge(int64_t width, int64_t height);
