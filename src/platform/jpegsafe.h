/* libjpeg-turbo behind calls that cannot jump: the library reports errors by
   a long jump, which must not cross C++ frames with live destructors. Each
   call here sets its own jump target around one library call, in C, and
   returns 0 when the library stopped with an error or met damaged data
   (a warning that the data is corrupt or ends early). The library never
   prints its messages and never exits the process. */
#pragma once

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QuiltraJpeg QuiltraJpeg;

typedef struct QuiltraJpegInfo {
  int Width, Height;
  int Components;
  int Cmyk;        /* stored as CMYK or YCCK: rows come as 4 bytes of ink */
  int AdobeMarker; /* ink then comes inverted, 255 for none */
  int MultiScan;   /* progressive or multi-scan: the whole file is buffered */
} QuiltraJpegInfo;

/* Null when out of memory. The file stays the caller's. */
QuiltraJpeg* QuiltraJpegOpen(FILE* file);
void QuiltraJpegClose(QuiltraJpeg* jpeg);
int QuiltraJpegReadHeader(QuiltraJpeg* jpeg, QuiltraJpegInfo* info);
/* Starts the decoding at 1 / denominator (1, 2, 4 or 8) of the size, giving
   rows of 3 bytes (blue, green, red) or 4 of ink for CMYK. memoryLimit bounds
   what the library may allocate (0: no bound). */
int QuiltraJpegStart(QuiltraJpeg* jpeg, int denominator, long memoryLimit, int* width, int* height);
/* Decodes up to count rows; got says how many came. */
int QuiltraJpegReadRows(QuiltraJpeg* jpeg, unsigned char** rows, int count, int* got);

#ifdef __cplusplus
}
#endif
