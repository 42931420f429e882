// Exported module slots, the two play calls and play lists.
#include <atomic>
#include <chrono>
#include <thread>

#include "temp_files.h"
#include "output/Cplayer.h"
#include "output/CplayerStream.h"
#include "base/Error.h"
#include "api_fixture.h"
#include "module_builders.h"
#include "render_songs.h"

namespace {

// A short XM song of rows rows at speed 1, one note at its start.
std::string ShortSong(const std::string& name, uint16_t rows) {
  builders::XmModule module;
  module.channels = 2;
  module.speed = 1;
  module.instruments = {render_songs::XmInstrumentOf(render_songs::SineCycle(32, 90), false, true)};
  module.patterns.push_back({rows, builders::XmPatternData(rows, 2, {{0, 0, 49, 1, 0, 0, 0}})});
  return WriteTempFile(name, module.Build());
}

struct ApiModules : ApiTest {
  void SetUp() override {
    ApiTest::SetUp();
    ASSERT_TRUE(QueltInit(3, 4, 2));
  }
  static char* Name(const std::string& file) { return const_cast<char*>(file.c_str()); }
  static bool Playing(int module) {
    return library().mixer.playing && library().mixer.currentModule == &library().modules[module];
  }
  // Mixes on this thread until the song ends, then delivers the end as the
  // streaming thread does. False if it does not end.
  static bool PlayToEnd() {
    for (int pass = 0; pass < 1000 && !library().mixer.songEnd; ++pass) MixBytes(4096);
    if (!library().mixer.songEnd) return false;
    DeliverSongEnd(library().mixer);
    return true;
  }
};

// Guards against a full table or a bad file taking a slot.
TEST_F(ApiModules, LoadingTakesTheFirstFreeSlotOnlyForRealModules) {
  const std::string song = ShortSong("api_song.xm", 4);
  const std::string text = WriteTempFile("api_text.xm", {'n', 'o', 'p', 'e'});
  EXPECT_EQ(QueltLoadModule(Name(text), 0), -1);
  EXPECT_FALSE(library().modules[0].loaded);
  EXPECT_EQ(QueltLoadModule(Name(song), 0), 0);
  EXPECT_EQ(QueltLoadModule(Name(song), 0), 1);
  EXPECT_EQ(QueltLoadModule(Name(song), 0), 2);
  EXPECT_EQ(QueltLoadModule(Name("/nonexistent"), 0), -1);
  EXPECT_STREQ(LastFailure(), "every module slot is in use");
  EXPECT_TRUE(QueltUnloadModule(1));
  EXPECT_EQ(QueltLoadModule(Name(song), 0), 1);
}

// Guards against the loop flag rules of the two play calls and against
// unloading a module under the player.
TEST_F(ApiModules, PlayCallsSetTheLoopFlagAndUnloadStopsThePlayer) {
  const std::string song = ShortSong("api_song.xm", 4);
  ASSERT_EQ(QueltLoadModule(Name(song), 0), 0);
  ASSERT_EQ(QueltLoadModule(Name(song), 0), 1);
  EXPECT_TRUE(QueltPlayModule(0, true));
  EXPECT_TRUE(library().mixer.loopSong);
  EXPECT_TRUE(Playing(0));
  for (int pass = 0; pass < 20; ++pass) MixBytes(4096);
  EXPECT_TRUE(Playing(0));  // a looping song goes on
  EXPECT_TRUE(QueltPlayModule(1));
  EXPECT_FALSE(library().mixer.loopSong);
  EXPECT_TRUE(Playing(1));
  EXPECT_FALSE(library().modules[0].inUse);
  EXPECT_TRUE(PlayToEnd());
  EXPECT_FALSE(library().mixer.playing);
  EXPECT_TRUE(QueltPlayModule(0, false));
  EXPECT_TRUE(QueltUnloadModule(1));  // stops module 0, frees module 1
  EXPECT_FALSE(library().mixer.playing);
  EXPECT_FALSE(library().modules[1].loaded);
  EXPECT_TRUE(library().modules[0].loaded);
  EXPECT_TRUE(QueltStopModule());
}

// Guards against a list that does not advance, does not stop at its end, or
// plays invalid entries.
TEST_F(ApiModules, PlayListPlaysInOrderAndStops) {
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_a.xm", 4)), 0), 0);
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_b.xm", 6)), 0), 1);
  int list[] = {-3, 0, 9, 2, 1};  // slot 2 is empty
  EXPECT_TRUE(QueltStartPlayList(list, 5, false));
  EXPECT_TRUE(Playing(0));
  EXPECT_FALSE(library().mixer.loopSong);
  ASSERT_TRUE(PlayToEnd());
  EXPECT_TRUE(Playing(1));
  ASSERT_TRUE(PlayToEnd());
  EXPECT_FALSE(library().mixer.playing);
  EXPECT_EQ(library().playList.count, 0);
  EXPECT_EQ(library().mixer.endOfSongCallback.load(), nullptr);
}

// Guards against a looping list that stops, and against a list of nothing
// playable reporting success.
TEST_F(ApiModules, LoopingPlayListGoesRound) {
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_a.xm", 4)), 0), 0);
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_b.xm", 6)), 0), 1);
  int list[] = {0, 1};
  EXPECT_TRUE(QueltStartPlayList(list, 2, true));
  for (int round = 0; round < 3; ++round) {
    EXPECT_TRUE(Playing(0));
    ASSERT_TRUE(PlayToEnd());
    EXPECT_TRUE(Playing(1));
    ASSERT_TRUE(PlayToEnd());
  }
  QueltStopPlayList();
  EXPECT_FALSE(library().mixer.playing);
  int nothing[] = {2, 7, -1};
  EXPECT_FALSE(QueltStartPlayList(nothing, 3, true));
  EXPECT_EQ(library().playList.count, 0);
  EXPECT_FALSE(QueltStartPlayList(nullptr, 4, true));
}

// Guards against a stale song end advancing a list that was stopped, or
// stopping a module started after it.
TEST_F(ApiModules, StaleSongEndDoesNotTouchANewModule) {
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_a.xm", 4)), 0), 0);
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_b.xm", 6)), 0), 1);
  int list[] = {0};
  EXPECT_TRUE(QueltStartPlayList(list, 1, false));
  const EndOfSongCallback advance = library().mixer.endOfSongCallback;
  ASSERT_NE(advance, nullptr);
  QueltStopPlayList();
  EXPECT_TRUE(QueltPlayModule(1, true));
  advance(1);  // as if the streaming thread had read it before the stop
  EXPECT_TRUE(Playing(1));
}

// Guards against races between the client's calls and the streaming thread:
// a looping list advances on the thread while the client plays samples and
// finally stops everything (run under ThreadSanitizer too).
TEST_F(ApiModules, PlayListAdvancesOnTheStreamingThread) {
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_a.xm", 4)), 0), 0);
  ASSERT_EQ(QueltLoadModule(Name(ShortSong("api_b.xm", 6)), 0), 1);
  const int sample = MakeSample(2000);
  int list[] = {0, 1};
  ASSERT_TRUE(QueltStartMixer(nullptr));
  ASSERT_TRUE(QueltStartPlayList(list, 2, true));
  int changes = 0;
  int last = -1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (changes < 4 && std::chrono::steady_clock::now() < deadline) {
    QueltPlaySample(sample, 40, 100, 0);
    QueltSetMusicVolume(static_cast<unsigned char>(changes * 20));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::lock_guard<std::mutex> lock(library().playList.mutex);
    if (library().playList.current != last) {
      last = library().playList.current;
      ++changes;
    }
  }
  EXPECT_GE(changes, 4);
  QueltStopPlayList();
  EXPECT_TRUE(QueltStopAllSamples());
  EXPECT_TRUE(QueltStopMixer());
  QueltSetMusicVolume(128);
}

}  // namespace
