/* libdeco32: decompresses fractal image files (docs/fif-format.md).
 *
 * Every function but GetDecoVersion returns a status: 0 for success or one
 * of the negative DECO_* codes below. A decompressor is used from one thread
 * at a time.
 *
 * Decoding: OpenDecompressor, SetFIFBuffer, SetOutputResolution,
 * SetOutputFormat, (for colour-table output SetColorTableFormat and
 * SetOutputColorTable), DecompressToBuffer, ClearFIFBuffer, and at the end
 * CloseDecompressor. The FIF bytes must stay in place until ClearFIFBuffer.
 *
 * SetOutputFormat(handle, a, b, c, alignment, orientation) fixes the pixels:
 *   a, b, c = 3, 2, 1 (any order of 1, 2, 3): 24 bits, three bytes per pixel;
 *     byte 0 holds component a, byte 1 component b, byte 2 component c, where
 *     1 is red, 2 green and 3 blue. 3, 2, 1 is blue, green, red.
 *   a, b, c = 20, 21, 22 (any order of 20, 21, 22): 15 bits in a little-endian
 *     16-bit word, five bits per component, listed from the high field (bits
 *     10-14) to the low one (bits 0-4); 20 is red, 21 green, 22 blue; bit 15
 *     is zero.
 *   a = 10: one byte per pixel, an index into the output colour table; b and
 *     c give the ordered dither, b x c pixels: 4, 4 (a 4 x 4 matrix) or 1, 1
 *     (none).
 *   alignment: 1, 2 or 4; the row stride given to DecompressToBuffer is a
 *     multiple of it.
 *   orientation: 0 when the buffer holds the top row first, 1 when it holds
 *     the bottom row first.
 *
 * Colour tables are 256 entries of 4 bytes. SetColorTableFormat(handle, b0,
 * b1, b2, b3) says what each byte of an entry holds: 1 red, 2 green, 3 blue,
 * 5 nothing (written as 0). 1, 2, 3, 5 is red, green, blue, then a zero byte;
 * that is also the format before any call.
 *
 * SetOutputColorTable(handle, table, flags, count): the first count (1 to
 * 256) entries of the output table. Without flags every entry is taken from
 * table. With flags, one byte per entry: 0 unused, 1 taken from table, 2 the
 * library's free choice. GetOutputColorTable reads back the table used.
 *
 * GetOriginalResolution(handle, &width, &height, &colours): the picture's
 * stored size, and the number of entries of its own colour table (0 when it
 * has none; GetFIFColorTable then returns DECO_NO_COLOR_TABLE).
 *
 * DecompressToBuffer(handle, pixels, 0, 0, 0, 0, stride): the four zeros are
 * reserved and must be zero.
 *
 * SetDecompressCallback(handle, callback, step): during DecompressToBuffer,
 * callback(handle, percent) each time the percentage done grows by at least
 * step (1 to 100). A non-zero return stops the decode with DECO_STOPPED.
 * A null callback removes it.
 *
 * GetFastResolution gives the stored size (the quickest to decode),
 * GetFIFNumSteps 1 (a file decodes in one step), GetPhysicalDimensions 0 by 0
 * (the format keeps no physical size), GetFIFNumColors the colour table's
 * entry count.
 *
 * SetOutputFilter(handle, 0 or 1): 1 (the default) smooths block edges.
 * SetOutputDither(handle, 0 or 1): 0 turns the ordered dither off.
 * Progressive decoding and transform tables (FTT) are not supported: those
 * calls return DECO_NOT_SUPPORTED, except ClearFTTBuffer, which succeeds.
 */
#ifndef DECO32_H
#define DECO32_H

#ifdef __cplusplus
extern "C" {
#endif

#define DECO_VERSION_MAJOR 6
#define DECO_VERSION_MINOR 1

enum {
  DECO_OK = 0,
  DECO_BAD_HANDLE = -1,
  DECO_BAD_ARGUMENT = -2,
  DECO_NO_FIF_BUFFER = -3,
  DECO_NOT_FIF = -4,
  DECO_FIF_VERSION = -5,
  DECO_DAMAGED = -6,
  DECO_NO_MEMORY = -7,
  DECO_NO_RESOLUTION = -8,
  DECO_NO_FORMAT = -9,
  DECO_NOT_SUPPORTED = -10,
  DECO_STOPPED = -11,
  DECO_NO_COLOR_TABLE = -63
};

typedef int (*DecoCallback)(int handle, int percent);

int GetDecoVersion(int* major, int* minor);
int OpenDecompressor(int* handle);
int CloseDecompressor(int handle);
int SetFIFBuffer(int handle, const void* bytes, int count);
int ClearFIFBuffer(int handle);
int TestIfFIF(const void* bytes, int count);
int GetOriginalResolution(int handle, int* width, int* height, int* colours);
int GetFastResolution(int handle, int* width, int* height);
int GetPhysicalDimensions(int handle, int* width, int* height);
int GetFIFNumColors(int handle, int* colours);
int GetFIFNumSteps(int handle, int* steps);
int GetFIFColorTable(int handle, void* table);
int SetOutputResolution(int handle, int width, int height);
int GetOutputResolution(int handle, int* width, int* height);
int SetOutputFormat(int handle, int a, int b, int c, int alignment, int orientation);
int GetOutputFormat(int handle, int* a, int* b, int* c, int* alignment, int* orientation);
int SetColorTableFormat(int handle, int byte0, int byte1, int byte2, int byte3);
int GetColorTableFormat(int handle, int* byte0, int* byte1, int* byte2, int* byte3);
int SetOutputColorTable(int handle, const void* table, const unsigned char* flags, int count);
int GetOutputColorTable(int handle, void* table);
int SetOutputDither(int handle, int dither);
int GetOutputDither(int handle, int* dither);
int SetOutputFilter(int handle, int filter);
int GetOutputFilter(int handle, int* filter);
int SetDecompressCallback(int handle, DecoCallback callback, int step);
int DecompressToBuffer(int handle, void* pixels, int x, int y, int width, int height, int stride);
int SetFTTBuffer(int handle, const void* bytes, int count);
int ClearFTTBuffer(int handle);
int GetFIFFTTFileName(int handle, char* name, int size);
int SetProgressiveFIFBuffer(int handle, const void* bytes, int count);
int SetProgressiveStep(int handle, int step);
int StartProgressiveDecompression(int handle);
int ProgressiveDecompress(int handle);
int EndProgressiveDecompression(int handle);

#ifdef __cplusplus
}
#endif

#endif
