"""Short real sound and video files made with GStreamer, for the media player to play."""

import struct
import subprocess

RATE = 44100


def _launch(*pipeline):
    subprocess.run(["gst-launch-1.0", "-q", *pipeline], check=True)


def _tone_source(frequency, seconds):
    return ["audiotestsrc", "wave=sine", f"freq={frequency}", "volume=0.5",
            f"num-buffers={10 * seconds}", f"samplesperbuffer={RATE // 10}",
            "!", f"audio/x-raw,format=S16LE,rate={RATE},channels=2"]


def _picture_source(pattern, seconds):
    return ["videotestsrc", f"pattern={pattern}", f"num-buffers={25 * seconds}",
            "!", "video/x-raw,format=I420,width=352,height=288,framerate=25/1"]


def make_tone(path, frequency, encoder, seconds=3):
    """A steady sine tone; encoder is e.g. "wavenc" or "lamemp3enc"."""
    _launch(*_tone_source(frequency, seconds), "!", *encoder.split(),
            "!", "filesink", f"location={path}")


def make_video(path, pattern, encoder, muxer, seconds=4):
    """A still colour from the test source, encoded and muxed."""
    _launch(*_picture_source(pattern, seconds), "!", *encoder.split(), "!", muxer,
            "!", "filesink", f"location={path}")


def make_avi_with_tone(path, pattern, frequency, seconds=4):
    """A still colour as JPEG frames and a tone as plain samples, in an AVI."""
    _launch(*_picture_source(pattern, seconds), "!", "jpegenc", "!", "mux.",
            *_tone_source(frequency, seconds), "!", "mux.",
            "avimux", "name=mux", "!", "filesink", f"location={path}")


def make_midi(path, note=69, seconds=3):
    """A standard MIDI file of one track: an organ holding one note, loud, since an
    organ's note does not fade as a piano's does."""
    ticks_per_beat = 480  # at the default 120 beats a minute, two beats a second

    def length(ticks):  # MIDI's variable-length number
        encoded = [ticks & 0x7F]
        while ticks > 0x7F:
            ticks >>= 7
            encoded.insert(0, 0x80 | ticks & 0x7F)
        return bytes(encoded)

    events = (b"\x00\xC0\x13" + b"\x00\x90" + bytes([note, 127]) +
              length(2 * ticks_per_beat * seconds) + b"\x80" + bytes([note, 0]) +
              b"\x00\xFF\x2F\x00")
    with open(path, "wb") as midi:
        midi.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, ticks_per_beat))
        midi.write(b"MTrk" + struct.pack(">I", len(events)) + events)
