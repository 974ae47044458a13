"""A real sound server for the program to play into, and a recording of what it played.

The server is PulseAudio with a null sink as its only output; the sink's monitor is
recorded, so the test hears exactly what a person at the speakers would have heard.
"""

import array
import math
import os
import subprocess
import wave

from corvela_session import end_group, start_in_own_group, wait_for

SINK = "corvela_speakers"
RECORDING_RATE = 8000  # plenty for tones below 2 kHz, and cheap to analyse


class SoundServer:
    """PulseAudio in the given run-time folder, where the program looks for it."""

    def __init__(self, runtime_folder):
        self.environment = dict(os.environ, XDG_RUNTIME_DIR=runtime_folder)
        self.server = start_in_own_group(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
             "--load=module-native-protocol-unix",
             f"--load=module-null-sink sink_name={SINK}",
             "--load=module-always-sink"],
            env=self.environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the sound server", self._answers)

    def _answers(self):
        return subprocess.run(["pactl", "info"], env=self.environment,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

    def streams(self):
        """The properties of each stream playing into the server, as `pactl` lists them,
        its volume, and its number as "index"."""
        listing = subprocess.run(["pactl", "list", "sink-inputs"], env=self.environment,
                                 capture_output=True, text=True, check=True).stdout
        streams = []
        for line in listing.splitlines():
            if line.startswith("Sink Input #"):
                streams.append({"index": line[len("Sink Input #"):]})
            elif line.startswith("\tVolume: ") and streams:
                streams[-1]["volume"] = line.split(":", 1)[1].strip()
            elif " = " in line and streams:
                key, value = line.strip().split(" = ", 1)
                streams[-1][key] = value.strip('"')
        return streams

    def record(self, path):
        return Recording(self.environment, path)

    def stop(self):
        end_group(self.server)


class Recording:
    """What the speakers play from now until stop(), as a mono WAV file."""

    def __init__(self, environment, path):
        self.path = path
        self.recorder = start_in_own_group(
            ["parec", "-d", f"{SINK}.monitor", "--rate", str(RECORDING_RATE), "--channels", "1",
             "--format", "s16le", "--file-format=wav", path],
            env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stop(self):
        end_group(self.recorder)


def samples_of(path):
    with wave.open(path, "rb") as recording:
        frames = recording.readframes(recording.getnframes())
    return array.array("h", frames[: len(frames) // 2 * 2])


def strength(samples, frequency):
    """How much of one frequency a stretch of samples holds (Goertzel)."""
    coefficient = 2 * math.cos(2 * math.pi * frequency / RECORDING_RATE)
    previous = before = 0.0
    for sample in samples:
        previous, before = sample + coefficient * previous - before, previous
    return previous * previous + before * before - coefficient * previous * before


def timeline(path, frequencies, window_seconds=0.25, quiet=200.0):
    """The strongest of the frequencies in each stretch of the recording (as an index into
    frequencies), or None where it is quiet."""
    samples = samples_of(path)
    size = int(RECORDING_RATE * window_seconds)
    heard = []
    for start in range(0, len(samples) - size, size):
        window = samples[start:start + size]
        if max(abs(s) for s in window) < quiet:
            heard.append(None)
            continue
        powers = [strength(window, f) for f in frequencies]
        heard.append(powers.index(max(powers)))
    return heard


def tones_heard(path, frequencies, window_seconds=0.25):
    """The tones heard in order, as indexes into frequencies; silence and repeats collapse.
    Each tone must last at least two windows, so a click between tracks is not a tone."""
    heard = timeline(path, frequencies, window_seconds)
    steady = [tone for tone, following in zip(heard, heard[1:]) if tone == following]
    sequence = []
    for tone in steady:
        if tone is not None and (not sequence or sequence[-1] != tone):
            sequence.append(tone)
    return sequence


def seconds_of(path, tone, frequencies, window_seconds=0.25):
    """How long one tone sounded in all."""
    return timeline(path, frequencies, window_seconds).count(tone) * window_seconds
