// Photo-like JPEG files of any size up to the format's limit, written row by
// row with libjpeg-turbo (ImageMagick's default policy stops at 16k pixels a
// side): smooth colour fields with a fine grain, like a photo's detail and
// noise. For the picture benchmark and the tests of big and unusual JPEGs.
#pragma once

#include <string>

struct TPhotoJpegOptions {
  int Quality = 92;
  bool Progressive = false;
  bool Arithmetic = false;
  bool Gray = false;
  int RestartRows = 0;  // a restart marker every this many MCU rows (0: none)
  unsigned Seed = 7;
};

// False when the file could not be written.
bool WritePhotoJpeg(const std::string& path, int width, int height,
                    const TPhotoJpegOptions& options = {});
