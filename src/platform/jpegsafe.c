#include "jpegsafe.h"

#include <setjmp.h>
#include <stdlib.h>

#include <jerror.h>
#include <jpeglib.h>

struct QuiltraJpeg {
  struct jpeg_decompress_struct Decompress;
  struct jpeg_error_mgr Errors;
  jmp_buf Jump; /* set by each call below, before it calls the library */
};

static void Stop(j_common_ptr common) {
  QuiltraJpeg* jpeg = (QuiltraJpeg*)common->client_data;
  longjmp(jpeg->Jump, 1);
}

/* Warnings (level -1) about corrupt or missing data stop the decoding, as
   the damaged picture it would give is shown as no picture at all; the
   harmless ones and every trace message are dropped unseen. */
static void Message(j_common_ptr common, int level) {
  if (level >= 0) return;
  switch (common->err->msg_code) {
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_JFIF_MAJOR:
    case JWRN_NOT_SEQUENTIAL:
      return;
    default:
      Stop(common);
  }
}

static void Silent(j_common_ptr common) {
  (void)common;
}

static int Create(QuiltraJpeg* jpeg, FILE* file) {
  jpeg->Decompress.err = jpeg_std_error(&jpeg->Errors);
  jpeg->Errors.error_exit = Stop;
  jpeg->Errors.emit_message = Message;
  jpeg->Errors.output_message = Silent;
  jpeg->Decompress.client_data = jpeg;
  if (setjmp(jpeg->Jump)) return 0;
  jpeg_create_decompress(&jpeg->Decompress);
  jpeg_stdio_src(&jpeg->Decompress, file);
  return 1;
}

QuiltraJpeg* QuiltraJpegOpen(FILE* file) {
  QuiltraJpeg* jpeg = (QuiltraJpeg*)calloc(1, sizeof(QuiltraJpeg));
  if (jpeg && !Create(jpeg, file)) {
    QuiltraJpegClose(jpeg);
    jpeg = NULL;
  }
  return jpeg;
}

void QuiltraJpegClose(QuiltraJpeg* jpeg) {
  if (!jpeg) return;
  jpeg_destroy_decompress(&jpeg->Decompress);
  free(jpeg);
}

int QuiltraJpegReadHeader(QuiltraJpeg* jpeg, QuiltraJpegInfo* info) {
  j_decompress_ptr d = &jpeg->Decompress;
  if (setjmp(jpeg->Jump)) return 0;
  if (jpeg_read_header(d, TRUE) != JPEG_HEADER_OK) return 0;
  /* Newer versions of the library read 12-bit headers too, but make their
     rows only through other calls: such a file is left to GDI+. */
  if (d->data_precision != 8) return 0;
  info->Width = (int)d->image_width;
  info->Height = (int)d->image_height;
  info->Components = d->num_components;
  info->Cmyk = d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK;
  info->AdobeMarker = d->saw_Adobe_marker;
  info->MultiScan = jpeg_has_multiple_scans(d);
  return 1;
}

int QuiltraJpegStart(QuiltraJpeg* jpeg, int denominator, long memoryLimit, int* width,
                     int* height) {
  j_decompress_ptr d = &jpeg->Decompress;
  if (setjmp(jpeg->Jump)) return 0;
  d->scale_num = 1;
  d->scale_denom = (unsigned int)denominator;
  d->out_color_space =
      d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK ? JCS_CMYK : JCS_EXT_BGR;
  d->dct_method = JDCT_ISLOW;
  d->mem->max_memory_to_use = memoryLimit;
  if (!jpeg_start_decompress(d)) return 0;
  *width = (int)d->output_width;
  *height = (int)d->output_height;
  return 1;
}

int QuiltraJpegReadRows(QuiltraJpeg* jpeg, unsigned char** rows, int count, int* got) {
  j_decompress_ptr d = &jpeg->Decompress;
  *got = 0;
  if (setjmp(jpeg->Jump)) return 0;
  *got = (int)jpeg_read_scanlines(d, rows, (JDIMENSION)count);
  return 1;
}
