// Writes the demo disc the virtual CD drive plays when no other image is
// chosen: short pieces of synthesized music, each in its own key and at its
// own tempo, so that a newcomer hears at once that Load and Play work.
//   corvela-demo-disc <cue file>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>

#include "disc_image_writer.h"

namespace {

struct Piece {
  int keySemitones;  // above A 220 Hz
  double tempo;  // beats a minute
  double seconds;
  double brightness;  // 0 = soft sine, 1 = bright and reedy
};

// Major-scale steps of a four-chord round: I, V, vi, IV.
constexpr std::array<std::array<int, 3>, 4> kChords{
    {{0, 4, 7}, {7, 11, 14}, {9, 12, 16}, {5, 9, 12}}};
// The tune over each bar, as chord-note indices (an octave up from 3).
constexpr std::array<int, 8> kTune{0, 1, 2, 4, 3, 2, 1, 5};

double pitch(int key, int semitones) { return 220.0 * std::pow(2.0, (key + semitones) / 12.0); }

double voice(double frequency, double t, double brightness) {
  const double phase = 2 * M_PI * frequency * t;
  return std::sin(phase) + brightness * (0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase));
}

int tuneNote(const std::array<int, 3>& chord, int index) {
  return chord[index % 3] + 12 * (index / 3) + 12;
}

ImageTrack compose(const Piece& piece) {
  const double beat = 60.0 / piece.tempo;
  const auto count = static_cast<std::size_t>(piece.seconds * kSampleRate);
  ImageTrack track;
  track.samples.resize(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const int beatIndex = static_cast<int>(t / beat);
    const double intoBeat = t - beatIndex * beat;
    const auto& chord = kChords[static_cast<std::size_t>(beatIndex / 4 % 4)];
    const double halfBeat = std::fmod(t, beat / 2);
    const int step = static_cast<int>(t / (beat / 2)) % 8;
    const double bass =
        0.35 * voice(pitch(piece.keySemitones, chord[0] - 12), t, 0.2) * std::exp(-2.0 * intoBeat);
    const double tune =
        0.3 *
        voice(pitch(piece.keySemitones, tuneNote(chord, kTune[static_cast<std::size_t>(step)])), t,
              piece.brightness) *
        std::exp(-5.0 * halfBeat);
    const double fade = std::min({1.0, t / 0.5, (piece.seconds - t) / 1.5});
    const double left = fade * (bass + 0.7 * tune);
    const double right = fade * (bass + 1.0 * tune);
    track.samples[2 * i] = static_cast<std::int16_t>(std::clamp(left, -1.0, 1.0) * 20000);
    track.samples[2 * i + 1] = static_cast<std::int16_t>(std::clamp(right, -1.0, 1.0) * 20000);
  }
  return track;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: corvela-demo-disc <cue file>\n");
    return 2;
  }
  const std::array<Piece, 8> pieces{{{3, 96, 24, 0.2},
                                     {10, 132, 37, 0.8},
                                     {5, 72, 52, 0.1},
                                     {0, 150, 28, 0.6},
                                     {7, 84, 66, 0.4},
                                     {2, 120, 41, 1.0},
                                     {8, 108, 33, 0.3},
                                     {-2, 64, 85, 0.5}}};
  std::vector<ImageTrack> tracks;
  for (const Piece& piece : pieces) tracks.push_back(compose(piece));
  try {
    writeDiscImage(argv[1], tracks);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "corvela-demo-disc: %s\n", error.what());
    return 1;
  }
  return 0;
}
