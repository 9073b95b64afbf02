#include "pictureheader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Bounded reads of the file, in either byte order.
class TReader {
 public:
  explicit TReader(const TReadAt& readAt) : readAt_(readAt) {}

  bool Read(uint64_t offset, uint8_t* data, size_t size) const {
    return readAt_(offset, data, size) == size;
  }
  bool U8(uint64_t offset, uint32_t& value) const {
    uint8_t b[1];
    if (!Read(offset, b, 1)) return false;
    value = b[0];
    return true;
  }
  bool U16(uint64_t offset, bool bigEndian, uint32_t& value) const {
    uint8_t b[2];
    if (!Read(offset, b, 2)) return false;
    value = bigEndian ? (b[0] << 8 | b[1]) : (b[1] << 8 | b[0]);
    return true;
  }
  bool U32(uint64_t offset, bool bigEndian, uint32_t& value) const {
    uint8_t b[4];
    if (!Read(offset, b, 4)) return false;
    value = bigEndian ? (uint32_t(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3])
                      : (uint32_t(b[3]) << 24 | b[2] << 16 | b[1] << 8 | b[0]);
    return true;
  }

 private:
  const TReadAt& readAt_;
};

int32_t Clamped(uint32_t value) {
  return value > 0x7FFFFFFF ? 0x7FFFFFFF : int32_t(value);
}

// A TIFF structure starting at base (a TIFF file, or the Exif block of a
// JPEG): the first directory's width, height and orientation.
void ReadTiff(const TReader& in, uint64_t base, TPictureHeader& header, bool wantSize) {
  uint8_t order[4];
  if (!in.Read(base, order, 4)) return;
  bool big;
  if (std::memcmp(order, "II*\0", 4) == 0)
    big = false;
  else if (std::memcmp(order, "MM\0*", 4) == 0)
    big = true;
  else
    return;
  uint32_t directory, count;
  if (!in.U32(base + 4, big, directory) || !in.U16(base + directory, big, count)) return;
  for (uint32_t i = 0; i < count && i < 1000; ++i) {
    const uint64_t entry = base + directory + 2 + 12 * uint64_t{i};
    uint32_t tag, type, value;
    if (!in.U16(entry, big, tag) || !in.U16(entry + 2, big, type)) return;
    // Short values sit in the first two bytes of the value field.
    if (type == 3) {
      if (!in.U16(entry + 8, big, value)) return;
    } else if (type == 4) {
      if (!in.U32(entry + 8, big, value)) return;
    } else {
      continue;
    }
    if (tag == 0x0112 && value >= 1 && value <= 8) header.Orientation = int32_t(value);
    if (wantSize && tag == 0x0100) header.Width = Clamped(value);
    if (wantSize && tag == 0x0101) header.Height = Clamped(value);
  }
}

bool IsStartOfFrame(uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Whether an end-of-image marker follows the compressed data that starts at
// offset. Inside that data a 0xFF byte is always followed by 0x00, a restart
// marker or a real marker, so 0xFF 0xD9 is an end and nothing else. The
// search runs from the end of the file, where a complete picture's end marker
// is (or shortly before, when something was appended).
bool ReachesEnd(const TReader& in, uint64_t offset, uint64_t fileSize) {
  std::vector<uint8_t> chunk((1 << 16) + 1);
  for (uint64_t end = fileSize; end > offset;) {
    const uint64_t from = end - std::min<uint64_t>(end - offset, 1 << 16);
    // One byte more than the step, so that a marker across two chunks counts.
    const size_t size = static_cast<size_t>(std::min<uint64_t>(end + 1, fileSize) - from);
    if (!in.Read(from, chunk.data(), size)) return false;
    for (size_t i = 0; i + 1 < size; ++i)
      if (chunk[i] == 0xFF && chunk[i + 1] == 0xD9) return true;
    end = from;
  }
  return false;
}

void ReadJpeg(const TReader& in, uint64_t fileSize, TPictureHeader& header) {
  header.Format = TPictureFormat::Jpeg;
  uint64_t offset = 2;
  for (int segments = 0; segments < 10000; ++segments) {
    uint32_t prefix, marker;
    if (!in.U8(offset, prefix) || prefix != 0xFF) return;
    // Any number of fill bytes may precede a marker.
    do {
      if (!in.U8(++offset, marker)) return;
    } while (marker == 0xFF);
    ++offset;
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (marker == 0xD9) return;
    uint32_t length;
    if (!in.U16(offset, true, length) || length < 2) return;
    if (marker == 0xE1) {
      uint8_t name[6];
      if (in.Read(offset + 2, name, 6) && std::memcmp(name, "Exif\0\0", 6) == 0)
        ReadTiff(in, offset + 8, header, false);
    } else if (IsStartOfFrame(marker) && header.Width == 0) {
      uint32_t height, width;
      if (!in.U16(offset + 3, true, height) || !in.U16(offset + 5, true, width)) return;
      header.Width = int32_t(width), header.Height = int32_t(height);
    } else if (marker == 0xDA) {
      header.Complete = ReachesEnd(in, offset + length, fileSize);
      return;
    }
    offset += length;
  }
}

}  // namespace

TPictureHeader ReadPictureHeader(const TReadAt& readAt, uint64_t fileSize) {
  const TReader in(readAt);
  TPictureHeader header;
  uint8_t magic[8] = {};
  if (readAt(0, magic, sizeof magic) < 4) return header;
  uint32_t a, b;
  if (magic[0] == 0xFF && magic[1] == 0xD8) {
    ReadJpeg(in, fileSize, header);
  } else if (std::memcmp(magic, "\x89PNG\r\n\x1A\n", 8) == 0) {
    header.Format = TPictureFormat::Png;
    if (in.U32(16, true, a) && in.U32(20, true, b))
      header.Width = Clamped(a), header.Height = Clamped(b);
  } else if (std::memcmp(magic, "GIF8", 4) == 0) {
    header.Format = TPictureFormat::Gif;
    if (in.U16(6, false, a) && in.U16(8, false, b))
      header.Width = int32_t(a), header.Height = int32_t(b);
  } else if (magic[0] == 'B' && magic[1] == 'M') {
    header.Format = TPictureFormat::Bmp;
    uint32_t size;
    if (!in.U32(14, false, size)) return header;
    if (size == 12) {
      if (in.U16(18, false, a) && in.U16(20, false, b))
        header.Width = int32_t(a), header.Height = int32_t(b);
    } else if (in.U32(18, false, a) && in.U32(22, false, b)) {
      // Heights are negative for rows stored top down.
      header.Width = Clamped(uint32_t(std::abs(int64_t(int32_t(a)))));
      header.Height = Clamped(uint32_t(std::abs(int64_t(int32_t(b)))));
    }
  } else if (std::memcmp(magic, "II*\0", 4) == 0 || std::memcmp(magic, "MM\0*", 4) == 0) {
    header.Format = TPictureFormat::Tiff;
    ReadTiff(in, 0, header, true);
  }
  return header;
}

bool PictureTooLarge(int64_t width, int64_t height) {
  return width > 65535 || height > 65535 || width * height > kMaxPicturePixels;
}
