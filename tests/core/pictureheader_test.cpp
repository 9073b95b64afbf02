#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/pictureheader.h"

namespace {

using TBytes = std::vector<uint8_t>;

TPictureHeader Read(const TBytes& file) {
  return ReadPictureHeader(
      [&](uint64_t offset, uint8_t* data, size_t size) -> size_t {
        if (offset >= file.size()) return 0;
        const size_t got = std::min<size_t>(size, file.size() - offset);
        std::memcpy(data, file.data() + offset, got);
        return got;
      },
      file.size());
}

void Append(TBytes& to, std::initializer_list<int> bytes) {
  for (int b : bytes) to.push_back(static_cast<uint8_t>(b));
}

// An Exif block (APP1) with the orientation as its only entry.
TBytes ExifSegment(int orientation, bool bigEndian) {
  TBytes segment;
  Append(segment, {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0});
  if (bigEndian)
    Append(segment, {'M', 'M', 0, 42, 0, 0, 0,           8, 0, 1, 0x01, 0x12, 0,
                     3,   0,   0, 0,  1, 0, orientation, 0, 0, 0, 0,    0,    0});
  else
    Append(segment, {'I', 'I', 42, 0, 8, 0,           0, 0, 1, 0, 0x12, 0x01, 3,
                     0,   1,   0,  0, 0, orientation, 0, 0, 0, 0, 0,    0,    0});
  return segment;
}

// A JPEG's structure around made-up compressed data: JFIF, optional Exif,
// a frame of the given size, a scan, and the end marker unless cut short.
TBytes Jpeg(int width, int height, const TBytes& exif, bool complete) {
  TBytes file;
  Append(file, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  file.insert(file.end(), exif.begin(), exif.end());
  // Fill bytes before a marker are allowed.
  Append(file, {0xFF, 0xFF, 0xC0, 0, 11, 8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 1,
                1, 0x11, 0});
  Append(file, {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0});
  // Compressed data: stuffed 0xFF 0x00 and a restart marker, no end.
  Append(file, {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56});
  if (complete) Append(file, {0xFF, 0xD9});
  return file;
}

}  // namespace

TEST(PictureHeader, ReadsTheSizeOfEachFormat) {
  TBytes png;
  Append(png, {0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
               'R',  0,   0,   0x75, 0x30, 0,    0,    0x75, 0x30, 8, 6, 0,  0,   0});
  TPictureHeader header = Read(png);
  EXPECT_EQ(header.Format, TPictureFormat::Png);
  EXPECT_EQ(header.Width, 30000);
  EXPECT_EQ(header.Height, 30000);
  EXPECT_TRUE(PictureTooLarge(header.Width, header.Height));

  TBytes gif;
  Append(gif, {'G', 'I', 'F', '8', '9', 'a', 0x20, 0x03, 0x58, 0x02, 0, 0, 0});
  header = Read(gif);
  EXPECT_EQ(header.Format, TPictureFormat::Gif);
  EXPECT_EQ(header.Width, 800);
  EXPECT_EQ(header.Height, 600);

  // A top-down bitmap has a negative height.
  TBytes bmp(54, 0);
  bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40;
  bmp[18] = 0x40, bmp[19] = 0x01;                                  // 320
  bmp[22] = 0x10, bmp[23] = 0xFF, bmp[24] = 0xFF, bmp[25] = 0xFF;  // -240
  header = Read(bmp);
  EXPECT_EQ(header.Format, TPictureFormat::Bmp);
  EXPECT_EQ(header.Width, 320);
  EXPECT_EQ(header.Height, 240);

  // TIFF: width and height as long and short, orientation 8.
  TBytes tiff;
  Append(tiff, {'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0});
  Append(tiff, {0x00, 0x01, 4, 0, 1, 0, 0, 0, 0x70, 0x17, 0, 0});  // 6000
  Append(tiff, {0x01, 0x01, 3, 0, 1, 0, 0, 0, 0xA0, 0x0F, 0, 0});  // 4000
  Append(tiff, {0x12, 0x01, 3, 0, 1, 0, 0, 0, 8, 0, 0, 0});
  header = Read(tiff);
  EXPECT_EQ(header.Format, TPictureFormat::Tiff);
  EXPECT_EQ(header.Width, 6000);
  EXPECT_EQ(header.Height, 4000);
  EXPECT_EQ(header.Orientation, 8);
  EXPECT_FALSE(PictureTooLarge(header.Width, header.Height));
}

TEST(PictureHeader, ReadsAJpegsSizeOrientationAndEnd) {
  TPictureHeader header = Read(Jpeg(4000, 3000, {}, true));
  EXPECT_EQ(header.Format, TPictureFormat::Jpeg);
  EXPECT_EQ(header.Width, 4000);
  EXPECT_EQ(header.Height, 3000);
  EXPECT_EQ(header.Orientation, 0);
  EXPECT_TRUE(header.Complete);

  for (bool bigEndian : {false, true}) {
    header = Read(Jpeg(640, 480, ExifSegment(6, bigEndian), true));
    EXPECT_EQ(header.Orientation, 6) << bigEndian;
    EXPECT_EQ(header.Width, 640) << bigEndian;
  }
  // Values outside 1 to 8 mean nothing.
  EXPECT_EQ(Read(Jpeg(640, 480, ExifSegment(9, false), true)).Orientation, 0);

  // Cut off inside the compressed data: the end marker never comes.
  header = Read(Jpeg(640, 480, {}, false));
  EXPECT_FALSE(header.Complete);
  EXPECT_EQ(header.Width, 640);
  // Data appended after the end marker.
  TBytes appended = Jpeg(640, 480, {}, true);
  appended.resize(appended.size() + 200000, 0x55);
  EXPECT_TRUE(Read(appended).Complete);
  // An end marker split across the search's steps of 65536 bytes.
  TBytes split = Jpeg(640, 480, {}, false);
  split.resize(200000 - 1, 0x33);
  split.push_back(0xFF);
  split.push_back(0xD9);
  split.resize(200000 + 65536, 0x33);
  EXPECT_TRUE(Read(split).Complete);
  // Cut off inside the header.
  TBytes cut = Jpeg(640, 480, {}, true);
  cut.resize(27);
  EXPECT_EQ(Read(cut).Width, 0);
}

TEST(PictureHeader, UnknownOrDamagedFilesSayNothing) {
  for (const char* text : {"", "BM", "This is not a picture.", "\xFF\xD8\xFF\xE0\x00"}) {
    const TBytes file(text, text + std::strlen(text));
    const TPictureHeader header = Read(file);
    EXPECT_EQ(header.Width, 0) << text;
    EXPECT_EQ(header.Orientation, 0) << text;
    EXPECT_FALSE(PictureTooLarge(header.Width, header.Height));
  }
  // A TIFF directory pointing far beyond the end.
  TBytes tiff;
  Append(tiff, {'M', 'M', 0, 42, 0x7F, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(Read(tiff).Width, 0);
  // A JPEG whose segments chain in a loop of zero length stops.
  TBytes loop;
  Append(loop, {0xFF, 0xD8, 0xFF, 0xE0, 0, 0});
  EXPECT_EQ(Read(loop).Width, 0);
  EXPECT_TRUE(PictureTooLarge(65536, 1));
  EXPECT_TRUE(PictureTooLarge(12000, 12000));
  EXPECT_FALSE(PictureTooLarge(11000, 12000));
}
