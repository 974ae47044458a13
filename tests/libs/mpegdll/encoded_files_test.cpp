// MPEG audio files as other programs write them, made at test time by the
// encoders people use (a file whose encoder is not installed is skipped),
// and tags as taggers write them, byte by byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include "disc_image_writer.h"
#include "mpegdll.h"
#include "tone_media.h"

namespace {

constexpr int kToneMs = 2000;
constexpr double kToneHz = 440;

struct Encoding {
  const char* name;
  QStringList command;  // "%in" and "%out" stand for the files
  int rate;
  int layer;
  // The encoder's header says how much of the start and end is its own
  // padding, so the sound comes out at exactly its length.
  bool gapless;
};

const QString lame = "lame";
const QString ffmpeg = "ffmpeg";

int samplesPerFrame(const Encoding& encoding) {
  return encoding.layer == 3 && encoding.rate < 32000 ? 576 : 1152;
}

bool isSet(const unsigned char& ended) {
  return std::atomic_ref<const unsigned char>(ended).load(std::memory_order_acquire) != 0;
}

// The first sample, of any channel, at half the loudest.
int64_t onset(const std::vector<int16_t>& samples, int channels) {
  int peak = 0;
  for (int16_t sample : samples) peak = std::max(peak, std::abs(int{sample}));
  const auto loud = std::find_if(samples.begin(), samples.end(), [peak](int16_t sample) {
    return std::abs(int{sample}) > peak / 2;
  });
  return (loud - samples.begin()) / channels;
}

// An ID3v2 size: seven bits a byte ("sync-safe") in version 2.4 and in any
// tag header, eight in version 2.3's frames.
QByteArray tagSize(qsizetype size, int bitsPerByte = 7) {
  QByteArray bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[3 - i] = char((size >> (bitsPerByte * i)) & ((1 << bitsPerByte) - 1));
  return bytes;
}

// A tag with a title and a cover picture of the given size, whose bytes hold
// many of the sync words a decoder looks for; 2.4 adds padding and a footer.
QByteArray id3v2(int version, qsizetype pictureBytes) {
  QByteArray picture("\xff\xd8\xff\xe0");
  for (qsizetype i = 0; i < pictureBytes; ++i) picture += char(i % 7 == 0 ? 0xff : (i * 131) >> 3);
  const auto frame = [version](const char* id, const QByteArray& body) {
    return id + tagSize(body.size(), version == 4 ? 7 : 8) + QByteArray(2, '\0') + body;
  };
  QByteArray frames = frame("TIT2", QByteArray("\x03") + "Caf\xc3\xa9") +
                      frame("APIC", QByteArray("\0image/jpeg\0\x03\0", 14) + picture);
  if (version == 4) frames += QByteArray(4096, '\0');
  const char flags = version == 4 ? 0x10 : 0;
  const QByteArray header =
      QByteArray("ID3") + char(version) + '\0' + flags + tagSize(frames.size());
  return header + frames + (version == 4 ? "3DI" + header.mid(3) : QByteArray());
}

QByteArray id3v1() {
  QByteArray tag = "TAG";
  for (const char* field : {"Title", "Artist", "Album"})
    tag += QByteArray(field).leftJustified(30, '\0');
  return tag + "2026" + QByteArray(30, '\0') + char(12);
}

class EncodedFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(init()); }
  void TearDown() override { deinit(); }

  QString path(const QString& name) const { return dir_.filePath(name); }

  // The tone encoded by the command; empty (the test skipped) without its tool.
  QString encode(const Encoding& encoding) {
    if (QStandardPaths::findExecutable(encoding.command.first()).isEmpty()) return {};
    const QString source = path("tone.wav");
    writeWavFile(source.toStdString(), tone(kToneHz, kToneMs / 1000.0));
    const QString out = path(QString(encoding.name) + (encoding.layer == 2 ? ".mp2" : ".mp3"));
    QStringList arguments = encoding.command.mid(1);
    arguments.replaceInStrings("%in", source).replaceInStrings("%out", out);
    QProcess encoder;
    encoder.start(encoding.command.first(), arguments);
    EXPECT_TRUE(encoder.waitForFinished(30000));
    EXPECT_EQ(encoder.exitCode(), 0) << encoder.readAllStandardError().toStdString();
    return out;
  }

  void open(const QString& file) {
    Open(QFile::encodeName(file).constData(), MPEGDLL_STREAM_FILE, nullptr, nullptr, nullptr,
         nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(LastError(), MPEGDLL_OK) << file.toStdString();
  }

  // Plays the open file from a place to its end into PCM.
  std::vector<int16_t> play(int startMs = 0) {
    SetOutputDevice(MPEGDLL_DEVICE_PCM_FILE, QFile::encodeName(path("out.pcm")).constData());
    EXPECT_EQ(Play(startMs, 0, &ended_), 0);
    const auto start = std::chrono::steady_clock::now();
    while (!isSet(ended_) && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(isSet(ended_));
    return readPcm(path("out.pcm"));
  }

  // The length the library tells of the file read through a pipe, where it
  // cannot look ahead and has only the file's header to go by.
  int streamedLength(const QString& file) {
    const QString pipe = path("pipe");
    EXPECT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN);  // the library may stop reading before the end
    std::thread writer([&] {
      QFile out(pipe);
      if (out.open(QIODevice::WriteOnly)) out.write(readBytes(file));
    });
    open(pipe);
    const int length = GetLength();
    Close();
    writer.join();
    QFile::remove(pipe);
    return length;
  }

  QTemporaryDir dir_;
  unsigned char ended_ = 0;
};

class EncoderFiles : public EncodedFiles, public ::testing::WithParamInterface<Encoding> {};

TEST_P(EncoderFiles, PlayWholeToTheirEndWithTheirLengthAndPositionsRight) {
  const Encoding& encoding = GetParam();
  const QString file = encode(encoding);
  if (file.isEmpty()) GTEST_SKIP() << encoding.command.first().toStdString() << " is not installed";
  open(file);
  EXPECT_EQ(GetLayer(), encoding.layer);
  EXPECT_EQ(GetFrequency(), encoding.rate);
  const int length = GetLength();
  const double frameMs = 1000.0 * samplesPerFrame(encoding) / encoding.rate;
  // Without a gapless header the encoder's delay and last frame's padding are heard.
  if (encoding.gapless) {
    EXPECT_NEAR(length, kToneMs, 1);
  } else {
    EXPECT_NEAR(length, kToneMs + frameMs, 2 * frameMs);
  }

  const std::vector<int16_t> whole = play();
  const int channels = GetStereoMode() == 3 ? 1 : 2;
  const PcmAnalysis pcm = analysePcm(whole, encoding.rate, channels);
  EXPECT_NEAR(pcm.milliseconds, length, 1);
  EXPECT_EQ(GetCurrentPos(), length);
  EXPECT_NEAR(pcm.frequency, kToneHz, kToneHz * 0.01);
  // Nothing cut at the start: the tone is there from its first sample, or
  // after no more than the decoder's own delay.
  EXPECT_LT(onset(whole, channels), encoding.gapless ? 16 : samplesPerFrame(encoding));

  // A start in the middle is the same sound as the whole file's from there.
  const std::vector<int16_t> tail = play(1234);
  ASSERT_EQ(pcm.frames - int64_t{1234} * encoding.rate / 1000, int64_t(tail.size()) / channels);
  int difference = 0;
  for (size_t i = 0; i < tail.size(); ++i)
    difference = std::max(difference, std::abs(tail[i] - whole[whole.size() - tail.size() + i]));
  EXPECT_LT(difference, 64);
  Close();

  if (encoding.gapless) {
    EXPECT_EQ(streamedLength(file), length);
  }
}

INSTANTIATE_TEST_SUITE_P(
    LameTwolameFfmpeg, EncoderFiles,
    ::testing::Values(
        Encoding{"LameVbr", {lame, "--quiet", "-V2", "%in", "%out"}, 44100, 3, true},
        Encoding{"LameAbr", {lame, "--quiet", "--abr", "112", "%in", "%out"}, 44100, 3, true},
        Encoding{"LameCbrWithoutHeader",
                 {lame, "--quiet", "-b", "128", "-t", "%in", "%out"},
                 44100,
                 3,
                 false},
        Encoding{"LameMpeg2MonoLowestQuality",
                 {lame, "--quiet", "-m", "m", "--resample", "24", "-V9", "%in", "%out"},
                 24000,
                 3,
                 true},
        Encoding{"LameMpeg25Mono",
                 {lame, "--quiet", "-m", "m", "--resample", "8", "-V6", "%in", "%out"},
                 8000,
                 3,
                 true},
        Encoding{"TwolameMono", {"twolame", "--quiet", "-m", "m", "%in", "%out"}, 44100, 2, false},
        Encoding{"FfmpegMp2Mpeg2",
                 {ffmpeg, "-loglevel", "error", "-i", "%in", "-ar", "16000", "-c:a", "mp2", "-b:a",
                  "48k", "%out"},
                 16000,
                 2,
                 false},
        Encoding{
            "FfmpegLameVbr",
            {ffmpeg, "-loglevel", "error", "-i", "%in", "-c:a", "libmp3lame", "-q:a", "4", "%out"},
            44100,
            3,
            true}),
    [](const auto& info) { return std::string(info.param.name); });

// ID3v2.3 and 2.4 tags with a large picture before the audio and an ID3v1
// tag after it are skipped whole: the same sound, the same length.
TEST_F(EncodedFiles, TagsBeforeAndAfterTheAudioAreNotHeard) {
  const QString file = encode({"vbr", {lame, "--quiet", "-V2", "%in", "%out"}, 44100, 3, true});
  if (file.isEmpty()) GTEST_SKIP() << "lame is not installed";
  open(file);
  const int length = GetLength();
  const std::vector<int16_t> untagged = play();
  for (int version : {3, 4}) {
    SCOPED_TRACE(version);
    const QString tagged = path(QString("tagged-2.%1.mp3").arg(version));
    writeBytes(tagged, id3v2(version, 2'000'000) + readBytes(file) + id3v1());
    open(tagged);
    EXPECT_EQ(GetLength(), length);
    EXPECT_EQ(play(), untagged);
    Close();
    EXPECT_EQ(streamedLength(tagged), length);
  }
}

}  // namespace
