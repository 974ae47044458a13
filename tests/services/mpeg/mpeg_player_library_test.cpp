// The component on the real MPEG library, playing generated tones.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "services/mpeg/mpeg_player.h"
#include "tone_media.h"

namespace {

class MpegPlayerOnTheLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    writeTone(tone, {});
    player.setPathToDLL(MPEG_LIBRARY_DIR);
    player.setUseTimer(true);
    player.setTimerFreq(20);
    player.setOutputDevice(TOutputDevice::pcmfile);
    player.setOutFilename(pcm);
    player.OnPlayEnd = [this](QObject*) { ++ends; };
    player.LoadMPEGLibrary();
  }

  void TearDown() override { player.UnloadMPEGLibrary(); }

  bool waitForEnd(int count) {
    QElapsedTimer waited;
    waited.start();
    while (ends < count && waited.elapsed() < 10000) QCoreApplication::processEvents();
    return ends == count;
  }

  QTemporaryDir dir;
  const QString tone = dir.filePath("tone.mp3");
  const QString pcm = dir.filePath("out.pcm");
  TMPEGPlayer player;
  int ends = 0;
};

TEST_F(MpegPlayerOnTheLibrary, PlaysAFileToTheEndAndAgain) {
  player.setStreamName(tone);
  player.Play();
  EXPECT_NEAR(player.Length(), 2000, 50);
  ASSERT_TRUE(waitForEnd(1));
  const PcmAnalysis played = analysePcm(readPcm(pcm), 44100, 2);
  EXPECT_NEAR(played.frequency, 440, 4);
  EXPECT_NEAR(played.milliseconds, player.Length(), 1);
  EXPECT_EQ(player.PlayerMode(), 2);

  player.Play();
  ASSERT_TRUE(waitForEnd(2));
  EXPECT_EQ(readPcm(pcm).size(), static_cast<size_t>(played.frames * 2));
  player.Close();
  EXPECT_EQ(player.PlayerMode(), 0);
}

TEST_F(MpegPlayerOnTheLibrary, PlaysAStreamReadThroughItsEvents) {
  QFile input(tone);
  player.setFromStream(true);
  player.OnOpenStream = [&](bool& Nonseekable, void*& Context) {
    Nonseekable = false;
    Context = input.open(QIODevice::ReadOnly) ? &input : nullptr;
  };
  player.OnCloseStream = [](void* Context) { static_cast<QFile*>(Context)->close(); };
  player.OnReadStream = [](void* Context, void* buffer, int count, int& read, bool& res) {
    read = static_cast<int>(static_cast<QFile*>(Context)->read(static_cast<char*>(buffer), count));
    res = read >= 0;
  };
  player.OnSeekStream = [](void* Context, int bytes, int method, int& res) {
    auto* file = static_cast<QFile*>(Context);
    const qint64 base = method == 0 ? 0 : method == 1 ? file->pos() : file->size();
    res = file->seek(base + bytes) ? static_cast<int>(file->pos()) : -1;
  };
  player.OnGetStreamSize = [](void* Context, int& res) {
    res = static_cast<int>(static_cast<QFile*>(Context)->size());
  };
  player.Open();
  EXPECT_NEAR(player.Length(), 2000, 50);
  player.Play();
  ASSERT_TRUE(waitForEnd(1));
  EXPECT_NEAR(analysePcm(readPcm(pcm), 44100, 2).milliseconds, player.Length(), 1);
  player.Close();
  EXPECT_FALSE(input.isOpen());
}

// The window unloads the library when it closes, whatever is playing.
TEST_F(MpegPlayerOnTheLibrary, UnloadsWhilePlayingAndLoadsAgain) {
  player.setOutputDevice(TOutputDevice::wavemapper);
  player.setStreamName(tone);
  for (int round = 0; round < 2; ++round) {
    player.Play();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) QCoreApplication::processEvents();
    EXPECT_EQ(player.PlayerMode(), 3);
    player.UnloadMPEGLibrary();
    EXPECT_FALSE(player.LibraryLoaded());
    player.LoadMPEGLibrary();
  }
}

// An output that fails while a command waits on the playback thread: the
// command is answered all the same, and the failure is reported after it. The
// output is a pipe that fills, so the thread is inside a write when the seek
// comes; closing the pipe's reader then fails that write.
TEST_F(MpegPlayerOnTheLibrary, ACommandMetByAFailingOutputIsStillAnswered) {
  std::signal(SIGPIPE, SIG_IGN);
  const QByteArray pipe = QFile::encodeName(dir.filePath("out.pipe"));
  ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
  const int reader = open(pipe.constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  player.setOutFilename(QString::fromLocal8Bit(pipe));
  player.setStreamName(tone);
  player.Play();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));

  std::promise<void> seeking;
  std::future<void> seeked = seeking.get_future();
  std::thread seeker([&] {
    player.Seek(0);
    seeking.set_value();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  close(reader);
  if (seeked.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    std::fprintf(stderr, "the seek waits for ever\n");
    std::_Exit(1);  // the waiting thread cannot be ended, nor the library unloaded under it
  }
  seeker.join();
  EXPECT_THROW(player.CurrentPos(), TMPEGError);
  EXPECT_EQ(player.PlayerMode(), 2);
}

TEST_F(MpegPlayerOnTheLibrary, AnUnreadableFileIsAnInputStreamError) {
  player.setStreamName(dir.filePath("missing.mp3"));
  try {
    player.Open();
    ADD_FAILURE() << "opened a missing file";
  } catch (const TMPEGError& error) {
    EXPECT_EQ(error.Message, "Input stream error");
    EXPECT_EQ(error.Code, 3);
  }
}

}  // namespace
