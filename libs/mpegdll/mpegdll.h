/* libmpegdll: MPEG audio (MPEG-1, 2 and 2.5, layers I, II and III) decoding and
 * playback on a thread of its own.
 *
 * One player per process. Every call except LastError sets the code that
 * LastError returns until the next call:
 *   0 no error
 *   1 internal decoder error
 *   2 incorrect mode (the call does not fit the player's mode)
 *   3 input stream error (cannot open, read or decode the input)
 *   4 input stream is non-seekable
 *   5 output device failure
 *
 * Player modes (GetPlayerMode):
 *   0 nothing open
 *   2 open and stopped; also after playback has reached its end
 *   3 playing
 *   4 paused
 *
 * Positions and lengths are in milliseconds. Seek is accurate to the frame.
 *
 * Output devices (SetOutputDevice):
 *   0 the default audio output; with no audio device, a silent output that
 *     keeps real time (said once on standard error)
 *   2 raw 16-bit signed little-endian PCM, interleaved, at the stream's own
 *     rate and channel count, written as fast as it decodes to the named file
 *     (created anew by every Play and Restart)
 *
 * The ended byte handed to Play is cleared by Play and Restart and set to 1 by
 * the playback thread once the last sample has been played (default output) or
 * written and flushed (PCM file). It is written with an atomic store; readers
 * on other threads should load it atomically.
 *
 * The volume (SetVolume) is the default output's stream volume at the sound
 * server, where the server keeps one; the PCM file is written as decoded.
 *
 * Should the output fail while playing, playback stops there, the ended byte
 * is set at once, and the next GetCurrentPos reports the failure through
 * LastError (once; Play, Restart and Close forget it).
 */
#ifndef CORVELA_MPEGDLL_H
#define CORVELA_MPEGDLL_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MPEGDLL_EXPORT __attribute__((visibility("default")))

enum {
  MPEGDLL_OK = 0,
  MPEGDLL_DECODER_ERROR = 1,
  MPEGDLL_INCORRECT_MODE = 2,
  MPEGDLL_INPUT_ERROR = 3,
  MPEGDLL_NON_SEEKABLE = 4,
  MPEGDLL_OUTPUT_ERROR = 5
};

enum {
  MPEGDLL_MODE_CLOSED = 0,
  MPEGDLL_MODE_STOPPED = 2,
  MPEGDLL_MODE_PLAYING = 3,
  MPEGDLL_MODE_PAUSED = 4
};

enum { MPEGDLL_DEVICE_DEFAULT = 0, MPEGDLL_DEVICE_PCM_FILE = 2 };

enum { MPEGDLL_STREAM_FILE = 0, MPEGDLL_STREAM_CALLBACKS = 1 };

/* Stream mode: the input is reached through six callbacks, each given the
 * user data handed to Open first. "open" sets the context that the others
 * receive and may declare the input non-seekable. A read that sets *result to
 * false is an input error; a successful read of 0 bytes is the end. "seek"
 * moves by a byte count from the start (method 0), the current place (1) or
 * the end (2) and stores the new place, or -1 on failure. "size" stores the
 * input's size in bytes, or -1 when it is not known. "restart" rewinds a
 * non-seekable input. */
typedef void (*mpegdll_open_cb)(void* user, bool* nonseekable, void** context);
typedef void (*mpegdll_close_cb)(void* user, void* context);
typedef void (*mpegdll_restart_cb)(void* user, void* context, bool* result);
typedef void (*mpegdll_read_cb)(void* user, void* context, void* buffer, int bytes_to_read,
                                int* bytes_read, bool* result);
typedef void (*mpegdll_seek_cb)(void* user, void* context, int bytes, int move_method, int* result);
typedef void (*mpegdll_size_cb)(void* user, void* context, int* result);

/* Prepares the library; false (with LastError set) when it cannot work. */
MPEGDLL_EXPORT bool init(void);
/* Closes any input and ends the playback thread. */
MPEGDLL_EXPORT void deinit(void);

/* Opens a file (stream_flag 0, callbacks and user null) or a callback stream
 * (stream_flag 1, file_name null). An open input is closed first. */
MPEGDLL_EXPORT void Open(const char* file_name, int stream_flag, mpegdll_open_cb open_cb,
                         mpegdll_close_cb close_cb, mpegdll_restart_cb restart_cb,
                         mpegdll_read_cb read_cb, mpegdll_seek_cb seek_cb, mpegdll_size_cb size_cb,
                         void* user);
MPEGDLL_EXPORT void Close(void);

/* Plays from start_ms to end_ms (0: to the end). Returns 0 on success. */
MPEGDLL_EXPORT int Play(int start_ms, int end_ms, unsigned char* ended);
/* 0 pauses, 1 resumes. */
MPEGDLL_EXPORT void Pause(int resume);
/* Plays again from the last Play's start, with the same end and ended byte. */
MPEGDLL_EXPORT void Restart(void);
/* Stops playback where it is. */
MPEGDLL_EXPORT void Stop(void);
/* Stops playback and goes back to the start of the input. */
MPEGDLL_EXPORT void ResetPlayerMode(void);
MPEGDLL_EXPORT void Seek(int position_ms);

/* Thread priority from -15 (idle) to 15 (time critical); 0 is normal. Raising
 * it above normal needs the privilege to do so and is skipped without it. */
MPEGDLL_EXPORT void SetPriority(int priority);
MPEGDLL_EXPORT void SetOutputDevice(int device, const char* file_name);
/* Wave device number: 0 (or -1, the mapper) is the default output. */
MPEGDLL_EXPORT void SetSndDevice(int device);
/* From 0 (silent) to 1 (as decoded), for what plays now and all that plays
 * later; 1 until set. A value outside is taken as the nearer end, one that is
 * not a number changes nothing. Never fails. */
MPEGDLL_EXPORT void SetVolume(double volume);

MPEGDLL_EXPORT int GetPlayerMode(void);
MPEGDLL_EXPORT int GetCurrentPos(void);
MPEGDLL_EXPORT int GetLength(void);
/* Facts about the open stream: sample rate in Hz, bit rate in kbit/s, channel
 * mode (0 stereo, 1 joint stereo, 2 dual channel, 3 mono), layer 1 to 3. */
MPEGDLL_EXPORT int GetFrequency(void);
MPEGDLL_EXPORT int GetBitrate(void);
MPEGDLL_EXPORT int GetStereoMode(void);
MPEGDLL_EXPORT int GetLayer(void);

MPEGDLL_EXPORT int LastError(void);

#ifdef __cplusplus
}
#endif

#endif
