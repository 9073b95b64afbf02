// Writes a photo-like JPEG (see photojpeg.h).
//
//   makejpeg.exe file.jpg width height [progressive]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "photojpeg.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: makejpeg file.jpg width height [progressive]\n");
    return 2;
  }
  TPhotoJpegOptions options;
  options.Progressive = argc > 4 && std::string(argv[4]) == "progressive";
  return WritePhotoJpeg(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), options) ? 0 : 1;
}
