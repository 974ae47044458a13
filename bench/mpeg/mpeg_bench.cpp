// Measures the MPEG library on one file: decoding to a PCM file side by side
// with the decoder alone, and the CPU it takes while playing in real time.
//   mpeg_bench FILE [SECONDS]
// Exits with 1 when decoding is more than 1.2 times slower than the decoder
// alone or real-time playback takes 2 % of one core or more.
#include <mpg123.h>
#include <sys/resource.h>

#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "mpegdll.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void waitForEnd(const unsigned char& ended) {
  while (!std::atomic_ref<const unsigned char>(ended).load(std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The reference: the decoder alone, same output format, same kind of file.
void decodeAlone(const std::string& input, const std::string& output) {
  mpg123_handle* handle = mpg123_new(nullptr, nullptr);
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
  mpg123_format_none(handle);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i)
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  if (mpg123_open(handle, input.c_str()) != MPG123_OK) {
    std::fprintf(stderr, "cannot open %s\n", input.c_str());
    std::exit(2);
  }
  std::FILE* file = std::fopen(output.c_str(), "wb");
  std::vector<unsigned char> buffer(32768);
  size_t done = 0;
  int result = MPG123_OK;
  while (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
    result = mpg123_read(handle, buffer.data(), buffer.size(), &done);
    std::fwrite(buffer.data(), 1, done, file);
  }
  std::fclose(file);
  mpg123_delete(handle);
}

void decodeThroughLibrary(const std::string& input, const std::string& output) {
  Open(input.c_str(), MPEGDLL_STREAM_FILE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
       nullptr);
  SetOutputDevice(MPEGDLL_DEVICE_PCM_FILE, output.c_str());
  unsigned char ended = 0;
  if (LastError() != MPEGDLL_OK || Play(0, 0, &ended) != 0) {
    std::fprintf(stderr, "the library cannot play %s (error %d)\n", input.c_str(), LastError());
    std::exit(2);
  }
  waitForEnd(ended);
  Close();
}

struct Cost {
  double wall = 1e9;
  double cpu = 1e9;
};

// Keeps the least wall and processor time over the runs: on a shared machine
// the least is the one least disturbed.
template <typename Run>
void measure(Cost& cost, Run run) {
  const double cpuStart = cpuSeconds();
  const auto start = Clock::now();
  run();
  cost.wall = std::min(cost.wall, secondsSince(start));
  cost.cpu = std::min(cost.cpu, cpuSeconds() - cpuStart);
}

double realTimeCpuPercent(const std::string& input, int seconds) {
  Open(input.c_str(), MPEGDLL_STREAM_FILE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
       nullptr);
  SetOutputDevice(MPEGDLL_DEVICE_DEFAULT, "");
  unsigned char ended = 0;
  Play(0, 0, &ended);
  // Let the output settle before measuring.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const double cpuStart = cpuSeconds();
  const auto start = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double percent = 100.0 * (cpuSeconds() - cpuStart) / secondsSince(start);
  Close();
  return percent;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [SECONDS]\n", argv[0]);
    return 2;
  }
  const std::string input = argv[1];
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
  const std::string output = "/tmp/mpeg_bench." + std::to_string(getpid()) + ".pcm";
  if (!init()) return 2;

  // The two alternate, so a busy machine hurts both alike. Processor time is
  // the speed; wall time is shown beside it.
  Cost alone;
  Cost library;
  for (int round = 0; round < 15; ++round) {
    measure(alone, [&] { decodeAlone(input, output); });
    measure(library, [&] { decodeThroughLibrary(input, output); });
  }
  std::remove(output.c_str());
  const double ratio = library.cpu / alone.cpu;
  std::printf(
      "decoding to PCM: decoder alone %.3f s CPU (%.3f s wall), library %.3f s CPU "
      "(%.3f s wall), ratio %.2f\n",
      alone.cpu, alone.wall, library.cpu, library.wall, ratio);

  const double cpu = realTimeCpuPercent(input, seconds);
  std::printf("real-time playback: %.2f %% of one core over %d s\n", cpu, seconds);
  deinit();

  const bool ok = ratio <= 1.2 && cpu < 2.0;
  std::printf("%s\n", ok ? "within limits" : "OUT OF LIMITS");
  return ok ? 0 : 1;
}
