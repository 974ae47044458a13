#include "disc_image_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

constexpr int kFrameBytes = 2352;
constexpr int kFramesPerSecond = 75;
constexpr int kDataTrackFrames = 2 * kFramesPerSecond;
constexpr int kDescriptorFrame = 16;

std::string msf(int frame) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", frame / kFramesPerSecond / 60,
                frame / kFramesPerSecond % 60, frame % kFramesPerSecond);
  return text;
}

int bcd(int value) { return value / 10 * 16 + value % 10; }

// A mode 1 sector: sync, header with its absolute address, then the user data.
std::vector<char> dataSector(int frame, const std::vector<char>& user) {
  std::vector<char> sector(kFrameBytes, 0);
  sector[0] = sector[11] = 0;
  for (int i = 1; i <= 10; ++i) sector[i] = static_cast<char>(0xff);
  const int address = frame + 2 * kFramesPerSecond;
  sector[12] = static_cast<char>(bcd(address / kFramesPerSecond / 60));
  sector[13] = static_cast<char>(bcd(address / kFramesPerSecond % 60));
  sector[14] = static_cast<char>(bcd(address % kFramesPerSecond));
  sector[15] = 1;
  std::copy(user.begin(), user.end(), sector.begin() + 16);
  return sector;
}

std::vector<char> primaryVolumeDescriptor(const std::string& volumeId) {
  std::vector<char> user(2048, 0);
  user[0] = 1;
  std::copy_n("CD001", 5, user.begin() + 1);
  user[6] = 1;
  std::string id = volumeId.substr(0, 32);
  id.resize(32, ' ');
  std::copy(id.begin(), id.end(), user.begin() + 40);
  return user;
}

int writeDataTrack(std::ofstream& bin, int firstFrame, const std::string& volumeId) {
  for (int n = 0; n < kDataTrackFrames; ++n) {
    const auto user =
        n == kDescriptorFrame ? primaryVolumeDescriptor(volumeId) : std::vector<char>(2048, 0);
    const auto sector = dataSector(firstFrame + n, user);
    bin.write(sector.data(), kFrameBytes);
  }
  return kDataTrackFrames;
}

int writeAudioTrack(std::ofstream& bin, const std::vector<std::int16_t>& samples) {
  std::vector<char> bytes;
  bytes.reserve(samples.size() * 2);
  for (std::int16_t sample : samples) {
    bytes.push_back(static_cast<char>(sample & 0xff));
    bytes.push_back(static_cast<char>(sample >> 8 & 0xff));
  }
  const int frames = static_cast<int>((bytes.size() + kFrameBytes - 1) / kFrameBytes);
  bytes.resize(static_cast<std::size_t>(frames) * kFrameBytes, 0);
  bin.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return frames;
}

}  // namespace

void writeDiscImage(const std::string& cuePath, const std::vector<ImageTrack>& tracks) {
  const std::string binPath = cuePath.substr(0, cuePath.rfind('.')) + ".bin";
  std::ofstream bin(binPath, std::ios::binary | std::ios::trunc);
  std::ofstream cue(cuePath, std::ios::trunc);
  if (!bin || !cue) throw std::runtime_error("cannot write the disc image " + cuePath);
  cue << "FILE \"" << binPath.substr(binPath.rfind('/') + 1) << "\" BINARY\n";
  int frame = 0;
  for (std::size_t n = 0; n < tracks.size(); ++n) {
    const bool data = !tracks[n].volumeId.empty();
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", n + 1);
    cue << "  TRACK " << number << (data ? " MODE1/2352\n" : " AUDIO\n");
    cue << "    INDEX 01 " << msf(frame) << "\n";
    frame += data ? writeDataTrack(bin, frame, tracks[n].volumeId)
                  : writeAudioTrack(bin, tracks[n].samples);
  }
  if (!bin || !cue) throw std::runtime_error("cannot write the disc image " + cuePath);
}

void writeWavFile(const std::string& path, const std::vector<std::int16_t>& samples) {
  std::ofstream wav(path, std::ios::binary | std::ios::trunc);
  const auto put = [&wav](std::uint32_t value, int bytes) {
    for (int n = 0; n < bytes; ++n) wav.put(static_cast<char>(value >> (8 * n) & 0xff));
  };
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  wav << "RIFF";
  put(36 + dataBytes, 4);
  wav << "WAVEfmt ";
  put(16, 4), put(1, 2), put(2, 2), put(kSampleRate, 4), put(kSampleRate * 4, 4), put(4, 2),
      put(16, 2);
  wav << "data";
  put(dataBytes, 4);
  for (std::int16_t sample : samples) put(static_cast<std::uint16_t>(sample), 2);
  if (!wav) throw std::runtime_error("cannot write " + path);
}

std::vector<std::int16_t> tone(double frequency, double seconds, double amplitude) {
  const auto count = static_cast<std::size_t>(seconds * kSampleRate);
  std::vector<std::int16_t> samples(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    const auto value = static_cast<std::int16_t>(amplitude * 32767 *
                                                 std::sin(2 * M_PI * frequency * i / kSampleRate));
    samples[2 * i] = samples[2 * i + 1] = value;
  }
  return samples;
}
