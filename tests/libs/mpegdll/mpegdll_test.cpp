#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "mpegdll.h"
#include "tone_media.h"

namespace {

using Clock = std::chrono::steady_clock;

int msSince(Clock::time_point start) {
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

bool isSet(const unsigned char& ended) {
  return std::atomic_ref<const unsigned char>(ended).load(std::memory_order_acquire) != 0;
}

// Polls the ended byte; false when it is not set within the time.
bool waitForEnd(const unsigned char& ended, int timeoutMs = 10000) {
  const auto start = Clock::now();
  while (!isSet(ended)) {
    if (msSince(start) > timeoutMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void openFile(const QString& path) {
  Open(QFile::encodeName(path).constData(), MPEGDLL_STREAM_FILE, nullptr, nullptr, nullptr, nullptr,
       nullptr, nullptr, nullptr);
}

class MpegLibrary : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(init()); }
  void TearDown() override { deinit(); }

  QString path(const QString& name) const { return dir_.filePath(name); }

  QString tone(const QString& name, const Tone& tone = {}) {
    const QString file = path(name);
    writeTone(file, tone);
    return file;
  }

  // Plays the open input into a PCM file up to its end and returns the samples.
  std::vector<int16_t> playToPcm(int startMs = 0, int endMs = 0) {
    SetOutputDevice(MPEGDLL_DEVICE_PCM_FILE, QFile::encodeName(pcm()).constData());
    EXPECT_EQ(Play(startMs, endMs, &ended_), 0);
    EXPECT_EQ(LastError(), MPEGDLL_OK);
    EXPECT_TRUE(waitForEnd(ended_));
    return readPcm(pcm());
  }

  QString pcm() const { return path("out.pcm"); }

  QTemporaryDir dir_;
  unsigned char ended_ = 0;
};

// One frame of the stream, the finest step a seek or an end is promised to.
double frameMs(const Tone& tone) {
  const int samplesPerFrame = tone.layer == Tone::Layer::Two || tone.rate >= 32000 ? 1152 : 576;
  return 1000.0 * samplesPerFrame / tone.rate;
}

struct Format {
  const char* name;
  Tone tone;
  int layer;
  // How far the length may be from the tone's: the encoder's start delay and
  // end padding, which a file without a gapless tag keeps, last longer at low rates.
  int lengthToleranceMs;
};

class MpegFormats : public MpegLibrary, public ::testing::WithParamInterface<Format> {};

TEST_P(MpegFormats, DecodesTheToneToPcmAtItsFrequencyAndLength) {
  const Format& format = GetParam();
  openFile(tone("tone", format.tone));
  ASSERT_EQ(LastError(), MPEGDLL_OK);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
  EXPECT_EQ(GetLayer(), format.layer);
  EXPECT_EQ(GetFrequency(), format.tone.rate);
  const int length = GetLength();
  EXPECT_NEAR(length, format.tone.milliseconds, format.lengthToleranceMs);

  const PcmAnalysis pcm = analysePcm(playToPcm(), format.tone.rate, format.tone.channels);
  EXPECT_NEAR(pcm.frequency, format.tone.frequency, format.tone.frequency * 0.01);
  EXPECT_NEAR(pcm.milliseconds, length, 1.0);
  EXPECT_EQ(GetCurrentPos(), length);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
}

INSTANTIATE_TEST_SUITE_P(
    AllVersionsAndLayers, MpegFormats,
    ::testing::Values(Format{"Mpeg1Layer3", {Tone::Layer::Three, 440, 2000, 44100, 2}, 3, 50},
                      Format{"Mpeg1Layer2", {Tone::Layer::Two, 523, 2000, 44100, 2}, 2, 50},
                      Format{"Mpeg2Layer3Mono", {Tone::Layer::Three, 330, 2000, 22050, 1}, 3, 80},
                      Format{"Mpeg2Layer2", {Tone::Layer::Two, 660, 2000, 24000, 2}, 2, 80},
                      Format{"Mpeg25Layer3", {Tone::Layer::Three, 220, 2000, 11025, 1}, 3, 160}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MpegLibrary, PlayFromAStartPositionAndSeekLandWithinOneFrame) {
  const Tone mp3;
  openFile(tone("tone.mp3", mp3));
  const int length = GetLength();

  const PcmAnalysis tail = analysePcm(playToPcm(1500), mp3.rate, mp3.channels);
  EXPECT_NEAR(tail.milliseconds, length - 1500, frameMs(mp3));
  const PcmAnalysis middle = analysePcm(playToPcm(500, 1200), mp3.rate, mp3.channels);
  EXPECT_NEAR(middle.milliseconds, 700, frameMs(mp3));

  Seek(1234);
  EXPECT_EQ(LastError(), MPEGDLL_OK);
  EXPECT_NEAR(GetCurrentPos(), 1234, frameMs(mp3));
  Seek(length + 5000);
  EXPECT_EQ(GetCurrentPos(), length);
}

TEST_F(MpegLibrary, EndedIsSetOnlyOnceTheWholeFileIsWritten) {
  openFile(tone("tone.mp3"));
  const QString out = pcm();
  SetOutputDevice(MPEGDLL_DEVICE_PCM_FILE, QFile::encodeName(out).constData());
  ended_ = 1;  // a stale end from before must not count
  ASSERT_EQ(Play(0, 0, &ended_), 0);
  ASSERT_TRUE(waitForEnd(ended_));
  const qint64 sizeAtEnd = QFileInfo(out).size();
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
  EXPECT_EQ(GetCurrentPos(), GetLength());
  Close();
  EXPECT_EQ(QFileInfo(out).size(), sizeAtEnd);
  EXPECT_NEAR(sizeAtEnd / 4 * 1000.0 / 44100, 2000, 50);
}

// Plays in real time on the default output (a silent one where the machine
// has no sound device): position, pause, seek and the end keep to the clock.
TEST_F(MpegLibrary, RealTimePlaybackKeepsToTheClock) {
  openFile(tone("tone.mp3"));
  const int length = GetLength();
  SetOutputDevice(MPEGDLL_DEVICE_DEFAULT, "");
  ASSERT_EQ(Play(0, 0, &ended_), 0);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_PLAYING);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_NEAR(GetCurrentPos(), 400, 150);

  Pause(0);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_PAUSED);
  const int pausedAt = GetCurrentPos();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(GetCurrentPos(), pausedAt);
  EXPECT_FALSE(isSet(ended_));
  Pause(1);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_PLAYING);

  Seek(1200);
  EXPECT_NEAR(GetCurrentPos(), 1200, frameMs({}));
  const auto seekedAt = Clock::now();
  ASSERT_TRUE(waitForEnd(ended_));
  EXPECT_NEAR(msSince(seekedAt), length - 1200, 150);
  EXPECT_EQ(GetCurrentPos(), length);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
}

TEST_F(MpegLibrary, RestartPlaysAgainIntoAFreshFile) {
  openFile(tone("tone.mp3"));
  const size_t first = playToPcm().size();
  Restart();
  EXPECT_EQ(LastError(), MPEGDLL_OK);
  ASSERT_TRUE(waitForEnd(ended_));
  EXPECT_EQ(readPcm(pcm()).size(), first);
}

TEST_F(MpegLibrary, CallsOutOfModeAndBadDevicesAreRefused) {
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_CLOSED);
  EXPECT_NE(Play(0, 0, &ended_), 0);
  EXPECT_EQ(LastError(), MPEGDLL_INCORRECT_MODE);
  Restart();
  EXPECT_EQ(LastError(), MPEGDLL_INCORRECT_MODE);
  Seek(100);
  EXPECT_EQ(LastError(), MPEGDLL_INCORRECT_MODE);

  openFile(tone("tone.mp3"));
  Pause(0);
  EXPECT_EQ(LastError(), MPEGDLL_INCORRECT_MODE);
  Pause(1);
  EXPECT_EQ(LastError(), MPEGDLL_INCORRECT_MODE);

  SetOutputDevice(1, "");
  EXPECT_EQ(LastError(), MPEGDLL_OUTPUT_ERROR);
  SetSndDevice(3);
  EXPECT_EQ(LastError(), MPEGDLL_OUTPUT_ERROR);
  SetSndDevice(0);
  EXPECT_EQ(LastError(), MPEGDLL_OK);

  SetOutputDevice(MPEGDLL_DEVICE_PCM_FILE, QFile::encodeName(path("no/such/dir/out.pcm")));
  EXPECT_NE(Play(0, 0, &ended_), 0);
  EXPECT_EQ(LastError(), MPEGDLL_OUTPUT_ERROR);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);

  Close();
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_CLOSED);
  EXPECT_EQ(GetLength(), 0);
}

TEST_F(MpegLibrary, UnreadableInputIsAnInputStreamError) {
  writeBytes(path("empty.mp3"), {});
  QByteArray noise(20000, '\0');
  for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + i / 3) & 0xff);
  writeBytes(path("noise.mp3"), noise);
  for (const char* name : {"missing.mp3", "empty.mp3", "noise.mp3"}) {
    openFile(path(name));
    EXPECT_EQ(LastError(), MPEGDLL_INPUT_ERROR) << name;
    EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_CLOSED) << name;
  }
}

TEST_F(MpegLibrary, DamagedFilesPlayWhatCanBePlayed) {
  const QByteArray whole = readBytes(tone("tone.mp3"));

  writeBytes(path("cut.mp3"), whole.left(whole.size() * 6 / 10 + 77));
  openFile(path("cut.mp3"));
  ASSERT_EQ(LastError(), MPEGDLL_OK);
  const PcmAnalysis cut = analysePcm(playToPcm(), 44100, 2);
  EXPECT_NEAR(cut.milliseconds, 1200, 80);
  EXPECT_NEAR(cut.frequency, 440, 5);

  QByteArray scribbled = whole;
  for (int i = whole.size() / 3; i < whole.size() / 3 + 3000; ++i) scribbled[i] = char(i * 31);
  writeBytes(path("scribbled.mp3"), scribbled);
  openFile(path("scribbled.mp3"));
  ASSERT_EQ(LastError(), MPEGDLL_OK);
  const std::vector<int16_t> samples = playToPcm();
  EXPECT_GT(samples.size(), 0u);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
}

// An input in memory, reached through the stream callbacks.
struct MemoryStream {
  QByteArray bytes;
  bool nonseekable = false;
  bool failReads = false;
  qsizetype at = 0;
  int opens = 0;
  int closes = 0;
  int restarts = 0;

  static MemoryStream& of(void* user) { return *static_cast<MemoryStream*>(user); }

  static void open(void* user, bool* nonseekable, void** context) {
    ++of(user).opens;
    *nonseekable = of(user).nonseekable;
    *context = user;
  }
  static void close(void* user, void*) { ++of(user).closes; }
  static void restart(void* user, void*, bool* result) {
    ++of(user).restarts;
    of(user).at = 0;
    *result = true;
  }
  static void read(void* user, void*, void* buffer, int count, int* read, bool* result) {
    MemoryStream& stream = of(user);
    *read = static_cast<int>(std::min<qsizetype>(count, stream.bytes.size() - stream.at));
    std::memcpy(buffer, stream.bytes.constData() + stream.at, *read);
    stream.at += *read;
    *result = !stream.failReads;
  }
  static void seek(void* user, void*, int bytes, int method, int* result) {
    MemoryStream& stream = of(user);
    const qsizetype base = method == 0 ? 0 : method == 1 ? stream.at : stream.bytes.size();
    stream.at = std::clamp<qsizetype>(base + bytes, 0, stream.bytes.size());
    *result = static_cast<int>(stream.at);
  }
  static void size(void* user, void*, int* result) {
    *result = static_cast<int>(of(user).bytes.size());
  }

  void openThrough() {
    Open(nullptr, MPEGDLL_STREAM_CALLBACKS, &open, &close, &restart, &read, &seek, &size, this);
  }
};

// The stream outlives the library's use of it, which ends in TearDown.
class MpegStream : public MpegLibrary {
 protected:
  MemoryStream stream;
};

TEST_F(MpegStream, PlaysLikeTheFileItHolds) {
  const QString file = tone("tone.mp3");
  openFile(file);
  const int fileLength = GetLength();
  const size_t fileSamples = playToPcm().size();

  stream.bytes = readBytes(file);
  stream.openThrough();
  ASSERT_EQ(LastError(), MPEGDLL_OK);
  EXPECT_EQ(stream.opens, 1);
  EXPECT_EQ(GetLength(), fileLength);
  EXPECT_EQ(playToPcm().size(), fileSamples);
  Seek(1000);
  EXPECT_EQ(LastError(), MPEGDLL_OK);
  Close();
  EXPECT_EQ(stream.closes, 1);
}

TEST_F(MpegStream, NonSeekableRefusesSeeksAndRewindsThroughItsOwner) {
  stream.bytes = readBytes(tone("tone.mp3"));
  stream.nonseekable = true;
  stream.openThrough();
  ASSERT_EQ(LastError(), MPEGDLL_OK);
  const PcmAnalysis first = analysePcm(playToPcm(), 44100, 2);
  EXPECT_NEAR(first.milliseconds, 2000, 50);

  Seek(500);
  EXPECT_EQ(LastError(), MPEGDLL_NON_SEEKABLE);
  EXPECT_NE(Play(500, 0, &ended_), 0);
  EXPECT_EQ(LastError(), MPEGDLL_NON_SEEKABLE);

  Restart();
  EXPECT_EQ(LastError(), MPEGDLL_OK);
  EXPECT_EQ(stream.restarts, 1);
  ASSERT_TRUE(waitForEnd(ended_));
  EXPECT_EQ(analysePcm(readPcm(pcm()), 44100, 2).frames, first.frames);
}

TEST_F(MpegStream, ThatCannotBeReadIsAnInputStreamError) {
  stream.bytes = readBytes(tone("tone.mp3"));
  stream.failReads = true;
  stream.openThrough();
  EXPECT_EQ(LastError(), MPEGDLL_INPUT_ERROR);
  EXPECT_EQ(stream.closes, 1);
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_CLOSED);
}

}  // namespace
