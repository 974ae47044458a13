#include <dlfcn.h>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>

#include "services/mpeg/mpeg_player.h"
#include "stand_in.h"

namespace {

const QString kStandIns = STAND_INS;

template <typename Operation>
void expectError(Operation operation, const QString& message, int code) {
  try {
    operation();
    ADD_FAILURE() << "no TMPEGError, expected " << message.toStdString();
  } catch (const TMPEGError& error) {
    EXPECT_EQ(error.Message, message);
    EXPECT_EQ(error.Code, code);
  }
}

// The component on the recording stand-in, set up as the media window sets it.
class MpegPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ =
        dlopen(QFile::encodeName(kStandIns + "/recording/libmpegdll.so").constData(), RTLD_NOW);
    ASSERT_NE(library_, nullptr) << dlerror();
    lib = reinterpret_cast<StandIn* (*)()>(dlsym(library_, "standIn"))();
    *lib = StandIn{};
    lib->length = 2000;
    player.setPathToDLL(kStandIns + "/recording");
    player.setUseTimer(true);
    player.setTimerFreq(500);
    player.setStreamName("/music/tone.mp3");
    player.OnPosUpdate = [this](int pos, int len) { updates.emplace_back(pos, len); };
    player.OnPlayEnd = [this](QObject* sender) {
      EXPECT_EQ(sender, &player);
      ++ends;
    };
  }

  void TearDown() override {
    player.UnloadMPEGLibrary();
    dlclose(library_);
  }

  // The library calls made from now on, leaving out the error checks.
  std::vector<std::string> callsAfter(const std::function<void()>& action) {
    const size_t mark = lib->calls.size();
    action();
    std::vector<std::string> made;
    std::copy_if(lib->calls.begin() + static_cast<long>(mark), lib->calls.end(),
                 std::back_inserter(made), [](const auto& call) { return call != "LastError"; });
    return made;
  }

  void endPlayback() { *lib->ended = 1; }

  void* library_ = nullptr;
  StandIn* lib = nullptr;
  TMPEGPlayer player;
  std::vector<std::pair<int, int>> updates;
  int ends = 0;
};

using Calls = std::vector<std::string>;

TEST_F(MpegPlayer, LibraryPathIsTheFolderPlusTheLibraryFileName) {
  player.setPathToDLL("/opt/corvela");
  EXPECT_EQ(player.LibraryFileName(), "/opt/corvela/libmpegdll.so");
  player.setPathToDLL("/opt/corvela/");
  EXPECT_EQ(player.LibraryFileName(), "/opt/corvela/libmpegdll.so");
  player.setPathToDLL("");
  EXPECT_EQ(player.LibraryFileName(), "libmpegdll.so");

  player.setPathToDLL(kStandIns);
  expectError([&] { player.LoadMPEGLibrary(); }, "Can't load MPEG library", 0);
  EXPECT_FALSE(player.LibraryLoaded());
}

TEST_F(MpegPlayer, ALibraryLackingAnyExportIsRefused) {
  const QStringList names = QString(MPEG_EXPORTS).split(' ');
  ASSERT_EQ(names.size(), 21);
  for (const QString& name : names) {
    TMPEGPlayer lacking;
    lacking.setPathToDLL(kStandIns + "/without_" + name);
    expectError([&] { lacking.LoadMPEGLibrary(); }, "MPEG library not loaded", 0);
    EXPECT_FALSE(lacking.LibraryLoaded()) << name.toStdString();
  }
}

TEST_F(MpegPlayer, AFailedInitLeavesTheLibraryUnloaded) {
  lib->initResult = false;
  lib->errors["init"] = 5;
  expectError([&] { player.LoadMPEGLibrary(); }, "Output device failure", 5);
  EXPECT_FALSE(player.LibraryLoaded());
  EXPECT_EQ(player.LastErrorCode(), 5);

  lib->errors.clear();
  expectError([&] { player.LoadMPEGLibrary(); }, "MPEG library not loaded", 0);

  lib->initResult = true;
  const Calls loads = callsAfter([&] {
    player.LoadMPEGLibrary();
    player.LoadMPEGLibrary();
  });
  EXPECT_EQ(loads, (Calls{"init", "SetVolume"}));
}

TEST_F(MpegPlayer, EveryOperationNeedsTheLibrary) {
  const std::vector<std::function<void()>> operations = {
      [&] { player.Open(); },       [&] { player.Play(); },      [&] { player.Pause(true); },
      [&] { player.Restart(); },    [&] { player.Close(); },     [&] { player.Seek(0); },
      [&] { player.PlayerMode(); }, [&] { player.CurrentPos(); }};
  for (const auto& operation : operations) expectError(operation, "MPEG library not loaded", 0);
}

TEST_F(MpegPlayer, FirstPlaySetsUpTheLibraryAndPlayAfterTheEndRestarts) {
  player.LoadMPEGLibrary();
  player.setPlayerPriority(TPlayPriority::Highest);
  player.setOutputDevice(TOutputDevice::pcmfile);
  player.setOutFilename("/tmp/out.pcm");
  player.setWaveDeviceNum(0);
  player.setStartPos(100);

  EXPECT_EQ(callsAfter([&] { player.Play(); }),
            (Calls{"Open", "GetLength", "SetPriority", "SetOutputDevice", "SetSndDevice", "Play",
                   "GetCurrentPos"}));
  EXPECT_EQ(lib->fileName, "/music/tone.mp3");
  EXPECT_EQ(lib->streamFlag, 0);
  EXPECT_EQ(lib->priority, 2);
  EXPECT_EQ(lib->device, 2);
  EXPECT_EQ(lib->outFile, "/tmp/out.pcm");
  EXPECT_EQ(lib->soundDevice, 0);
  EXPECT_EQ(lib->startPos, 100);
  EXPECT_EQ(lib->endPos, 0);
  EXPECT_EQ(player.Length(), 2000);
  EXPECT_EQ(player.PlayedXTimes(), 2);

  endPlayback();
  player.TimerTick();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(*lib->ended, 0);
  player.TimerTick();
  EXPECT_EQ(ends, 1);

  EXPECT_EQ(callsAfter([&] { player.Play(); }), (Calls{"Restart", "GetCurrentPos"}));
  EXPECT_EQ(player.PlayedXTimes(), 3);
}

TEST_F(MpegPlayer, PlayResumesAPausedPlayerAndLeavesAPlayingOneAlone) {
  player.LoadMPEGLibrary();
  player.Play();
  EXPECT_EQ(callsAfter([&] { player.Play(); }), Calls{});
  player.Pause(true);
  EXPECT_EQ(lib->pauseFlag, 0);
  EXPECT_EQ(callsAfter([&] { player.Play(); }), Calls{"Pause"});
  EXPECT_EQ(lib->pauseFlag, 1);
  EXPECT_EQ(callsAfter([&] { player.Play(); }), Calls{});
}

TEST_F(MpegPlayer, PauseWithNothingPlayingIsAnIncorrectModeAndResumeIsIgnored) {
  player.LoadMPEGLibrary();
  player.Open();
  const Calls made = callsAfter([&] {
    expectError([&] { player.Pause(true); }, "Incorrect mode", 2);
    player.Pause(false);
  });
  EXPECT_EQ(made, Calls{});

  player.Play();
  endPlayback();
  expectError([&] { player.Pause(true); }, "Incorrect mode", 2);
}

TEST_F(MpegPlayer, NamesThatCannotBeHandedOverAreRefused) {
  player.LoadMPEGLibrary();
  player.setStreamName("");
  expectError([&] { player.Open(); }, "Can't play non-specified stream", 254);

  player.setStreamName(QString(512, 'a'));
  expectError([&] { player.Open(); }, "Stream name too long", 254);
  EXPECT_EQ(std::count(lib->calls.begin(), lib->calls.end(), "Open"), 0);
  player.setStreamName(QString(511, 'a'));
  player.Open();
  EXPECT_EQ(lib->fileName, std::string(511, 'a'));

  player.setOutFilename(QString(260, 'b'));
  expectError([&] { player.Play(); }, "Output file name too long", 254);
  player.setOutFilename(QString(259, 'b'));
  player.Play();
  EXPECT_EQ(lib->outFile, std::string(259, 'b'));
}

TEST_F(MpegPlayer, LibraryErrorsAreRaisedWithTheirMessages) {
  player.LoadMPEGLibrary();
  lib->errors["Open"] = 3;
  expectError([&] { player.Open(); }, "Input stream error", 3);
  EXPECT_EQ(player.LastErrorCode(), 3);
  lib->errors.clear();

  lib->errors["Play"] = 5;
  expectError([&] { player.Play(); }, "Output device failure", 5);
  lib->errors.clear();
  lib->playResult = 1;
  expectError([&] { player.Play(); }, "MPEG library not loaded", 0);
  lib->playResult = 0;

  lib->errors["SetOutputDevice"] = 9;
  expectError([&] { player.Play(); }, "MPEG library error 9", 9);
  lib->errors.clear();
  EXPECT_EQ(callsAfter([&] { player.TimerTick(); }), Calls{});

  player.Play();
  lib->errors["Close"] = 1;
  expectError([&] { player.Close(); }, "Internal decoder error", 1);
  EXPECT_EQ(player.PlayedXTimes(), 0);
  EXPECT_EQ(callsAfter([&] { player.TimerTick(); }), Calls{});
}

TEST_F(MpegPlayer, PositionsBeyondTheLengthAreReportedAsZero) {
  player.LoadMPEGLibrary();
  lib->position = 400;
  player.Play();
  lib->position = 2500;
  player.TimerTick();
  EXPECT_EQ(updates, (std::vector<std::pair<int, int>>{{400, 2000}, {0, 2000}}));
}

TEST_F(MpegPlayer, TimerFreqZeroTurnsTheTimerOff) {
  player.setTimerFreq(0);
  EXPECT_FALSE(player.UseTimer());
  player.LoadMPEGLibrary();
  EXPECT_EQ(callsAfter([&] { player.Play(); }),
            (Calls{"Open", "GetLength", "SetPriority", "SetOutputDevice", "SetSndDevice", "Play"}));
  endPlayback();
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 100) QCoreApplication::processEvents();
  EXPECT_TRUE(updates.empty());
  EXPECT_EQ(ends, 0);
}

TEST_F(MpegPlayer, TheRunningTimerReportsPositionsAndTheEnd) {
  player.setTimerFreq(10);
  player.LoadMPEGLibrary();
  player.Play();
  endPlayback();
  QElapsedTimer waited;
  waited.start();
  while (ends == 0 && waited.elapsed() < 2000) QCoreApplication::processEvents();
  EXPECT_EQ(ends, 1);
  EXPECT_GE(updates.size(), 2u);
}

// The window holds the position reports off while the user moves the slider.
TEST_F(MpegPlayer, TheSwitchHoldsTheRunningTimerOffAndOnAgain) {
  player.setTimerFreq(10);
  player.LoadMPEGLibrary();
  player.Play();
  player.setUseTimer(false);
  updates.clear();
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 100) QCoreApplication::processEvents();
  EXPECT_TRUE(updates.empty());
  player.setUseTimer(true);
  while (updates.empty() && waited.elapsed() < 2000) QCoreApplication::processEvents();
  EXPECT_FALSE(updates.empty());
}

// An error has nowhere to go from the timer's own tick: polling stops instead.
TEST_F(MpegPlayer, AnErrorWhilePollingStopsThePolling) {
  player.setTimerFreq(10);
  player.LoadMPEGLibrary();
  player.Play();
  lib->errors["GetCurrentPos"] = 1;
  const size_t updatesBefore = updates.size();
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 100) QCoreApplication::processEvents();
  EXPECT_EQ(std::count(lib->calls.begin(), lib->calls.end(), "GetCurrentPos"), 2);
  EXPECT_EQ(updates.size(), updatesBefore);
}

TEST_F(MpegPlayer, StreamModeForwardsTheLibrarysCallbacksToTheEvents) {
  player.setFromStream(true);
  player.LoadMPEGLibrary();
  player.Open();
  EXPECT_EQ(lib->streamFlag, 1);
  EXPECT_EQ(lib->fileName, "(null)");
  const StreamCallbacks& s = lib->stream;
  ASSERT_EQ(s.user, &player);

  bool nonseekable = false;
  void* context = &nonseekable;
  bool ok = true;
  int count = 0;
  int result = 0;
  char buffer[4];
  s.open(s.user, &nonseekable, &context);
  EXPECT_EQ(context, nullptr);
  s.restart(s.user, context, &ok);
  EXPECT_FALSE(ok);
  ok = true;
  s.read(s.user, context, buffer, 4, &count, &ok);
  EXPECT_FALSE(ok);
  s.seek(s.user, context, 10, 0, &result);
  EXPECT_EQ(result, -1);
  result = 0;
  s.size(s.user, context, &result);
  EXPECT_EQ(result, -1);
  s.close(s.user, context);

  int input = 7;
  void* closed = nullptr;
  player.OnOpenStream = [&](bool& Nonseekable, void*& Context) {
    Nonseekable = true;
    Context = &input;
  };
  player.OnCloseStream = [&](void* Context) { closed = Context; };
  player.OnRestartStream = [](void*, bool& res) { res = true; };
  player.OnReadStream = [](void*, void* read_buffer, int toRead, int& read, bool& res) {
    std::fill_n(static_cast<char*>(read_buffer), toRead, 'x');
    read = toRead;
    res = true;
  };
  player.OnSeekStream = [](void*, int numbytes, int MoveMethod, int& res) {
    res = numbytes * 10 + MoveMethod;
  };
  player.OnGetStreamSize = [](void*, int& res) { res = 1234; };
  s.open(s.user, &nonseekable, &context);
  EXPECT_TRUE(nonseekable);
  EXPECT_EQ(context, &input);
  s.restart(s.user, context, &ok);
  EXPECT_TRUE(ok);
  s.read(s.user, context, buffer, 4, &count, &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(std::string(buffer, 4), "xxxx");
  s.seek(s.user, context, 10, 2, &result);
  EXPECT_EQ(result, 102);
  s.size(s.user, context, &result);
  EXPECT_EQ(result, 1234);
  s.close(s.user, context);
  EXPECT_EQ(closed, &input);
}

TEST_F(MpegPlayer, ANewStreamNameClosesTheOpenStream) {
  player.LoadMPEGLibrary();
  player.Open();
  EXPECT_EQ(player.PlayedXTimes(), 1);
  EXPECT_EQ(callsAfter([&] { player.setStreamName("/music/other.mp3"); }), Calls{"Close"});
  EXPECT_EQ(player.PlayedXTimes(), 0);
  EXPECT_EQ(callsAfter([&] { player.setStreamName("/music/third.mp3"); }), Calls{});
}

TEST_F(MpegPlayer, PriorityIsStoredAsTheThreadPriorityValue) {
  EXPECT_EQ(player.PlayerPriority(), TPlayPriority::Normal);
  player.setPlayerPriority(TPlayPriority::Idle);
  EXPECT_EQ(lib->calls, Calls{});
  player.LoadMPEGLibrary();
  const std::vector<std::pair<TPlayPriority, int>> values = {
      {TPlayPriority::Idle, -15},       {TPlayPriority::Lowest, -2},
      {TPlayPriority::BelowNormal, -1}, {TPlayPriority::Normal, 0},
      {TPlayPriority::AboveNormal, 1},  {TPlayPriority::Highest, 2},
      {TPlayPriority::TimeCritical, 15}};
  for (const auto& [priority, value] : values) {
    player.setPlayerPriority(priority);
    EXPECT_EQ(lib->priority, value);
    EXPECT_EQ(player.PlayerPriority(), priority);
  }
}

TEST_F(MpegPlayer, TheVolumeReachesTheLibraryOnLoadAndOnEveryChange) {
  player.setVolume(0.25);
  EXPECT_EQ(lib->calls, Calls{});
  player.LoadMPEGLibrary();
  EXPECT_EQ(lib->volume, 0.25);
  player.Open();
  player.Play();
  player.setVolume(0.5);
  EXPECT_EQ(lib->volume, 0.5);

  TMPEGPlayer older;
  older.setPathToDLL(kStandIns + "/without_SetVolume");
  older.LoadMPEGLibrary();
  older.setVolume(0.5);
  older.setStreamName("/music/tone.mp3");
  older.Play();
  EXPECT_EQ(older.Volume(), 0.5);
}

TEST_F(MpegPlayer, UnloadingClosesTheStreamAndEndsTheLibrary) {
  player.LoadMPEGLibrary();
  player.Open();
  EXPECT_EQ(callsAfter([&] { player.UnloadMPEGLibrary(); }), (Calls{"Close", "deinit"}));
  EXPECT_FALSE(player.LibraryLoaded());

  auto owned = std::make_unique<TMPEGPlayer>();
  owned->setPathToDLL(kStandIns + "/recording");
  owned->LoadMPEGLibrary();
  EXPECT_EQ(callsAfter([&] { owned.reset(); }), Calls{"deinit"});
}

}  // namespace
