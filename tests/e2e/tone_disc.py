"""A disc image of steady tones, one pitch per track, for the virtual drive."""

import os
import subprocess

SECTOR_BYTES = 2352
BYTES_PER_SECOND = 44100 * 4


def track_frequency(track):
    return 200 + 100 * track  # track 1: 300 Hz ... track 8: 1000 Hz


def write_tone_disc(folder, tracks=8, seconds=14):
    """Writes tones.cue and tones.bin into folder; returns the cue sheet's path."""
    raw = os.path.join(folder, "tones.bin")
    with open(raw, "wb") as image:
        for track in range(1, tracks + 1):
            tone = subprocess.run(
                ["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", "-e", "signed-integer",
                 "-L", "-t", "raw", "-", "synth", str(seconds), "sine",
                 str(track_frequency(track)), "vol", "0.3"],
                check=True, stdout=subprocess.PIPE).stdout
            image.write(tone + bytes(-len(tone) % SECTOR_BYTES))
    cue = os.path.join(folder, "tones.cue")
    with open(cue, "w") as sheet:
        sheet.write('FILE "tones.bin" BINARY\n')
        frames = seconds * 75
        for track in range(tracks):
            start = track * frames
            sheet.write(f"  TRACK {track + 1:02d} AUDIO\n")
            sheet.write(f"    INDEX 01 {start // 4500:02d}:{start // 75 % 60:02d}:{start % 75:02d}\n")
    return cue
