// Tests of the module player's walk through orders and rows: speed, tempo,
// breaks, jumps, pattern loops and delays, the skip marker and song end.
#include <utility>

#include "player_fixture.h"

using namespace player_test;

namespace {

using Position = std::pair<int, int>;  // order index, row

struct PlayerRows : PlayerFixture {
  // The (order, row) of every row start over the given ticks.
  std::vector<Position> RowStarts(int ticks) {
    std::vector<Position> starts;
    for (int i = 0; i < ticks && state.playing; ++i) {
      Tick();
      if (state.playing && state.tick == 0) starts.emplace_back(state.orderIndex, state.row);
    }
    return starts;
  }

  void Patterns(std::initializer_list<PackedPattern> patterns, std::vector<uint8_t> orders) {
    module.patterns = patterns;
    module.orders = std::move(orders);
    SyncCounts();
  }
};

// Guards against a row lasting the wrong number of ticks or the first tick
// not starting row 0.
TEST_F(PlayerRows, SpeedSetsTicksPerRow) {
  Song(8, {{1, 0, Fx(Effect::SetSpeed, 3)}});
  ASSERT_TRUE(Start());
  EXPECT_EQ(state.row, 0xFFFF);
  auto starts = RowStarts(6 + 3 + 3 + 1);
  ASSERT_EQ(starts.size(), 4u);
  EXPECT_EQ(starts[0], Position(0, 0));
  EXPECT_EQ(starts[1], Position(0, 1));
  EXPECT_EQ(state.speed, 3);
  EXPECT_EQ(starts[3], Position(0, 3));
  EXPECT_EQ(Channel().effect, Effect::None);  // set speed clears itself
}

// Guards against a tempo below the floor reaching the mixer.
TEST_F(PlayerRows, TempoHasAFloorOf32) {
  Song(4, {{0, 0, Fx(Effect::SetTempo, 20)}, {1, 0, Fx(Effect::SetTempo, 150)}});
  Start();
  Tick();
  EXPECT_EQ(state.tempo, 32);
  Ticks(6);
  EXPECT_EQ(state.tempo, 150);
}

// Guards against a pattern break landing on the wrong row, or a break on
// the last row of a pattern losing its row.
TEST_F(PlayerRows, PatternBreakStartsTheNextPatternAtItsRow) {
  Patterns({MakePattern(4, {{1, 0, Fx(Effect::PatternBreak, 0x10)}}),
            MakePattern(32, {{19, 0, Fx(Effect::PatternBreak, 2)}}), MakePattern(8, {{2, 1, Cell(49, 1)}})},
           {0, 1, 2});
  Start();
  auto starts = RowStarts(6 * 7);
  ASSERT_GE(starts.size(), 7u);
  EXPECT_EQ(starts[1], Position(0, 1));
  EXPECT_EQ(starts[2], Position(1, 16));
  EXPECT_EQ(starts[5], Position(1, 19));
  EXPECT_EQ(starts[6], Position(2, 2));
  EXPECT_EQ(state.musicChannels[1].note, 49);  // row 2 was decoded after skipping two rows
}

// Guards against a break beyond the next pattern's rows reading past its data.
TEST_F(PlayerRows, BreakBeyondThePatternStartsAtRowZero) {
  Patterns({MakePattern(2, {{0, 0, Fx(Effect::PatternBreak, 200)}}), MakePattern(4, {{0, 0, Cell(50, 1)}})},
           {0, 1});
  Start();
  auto starts = RowStarts(12);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[1], Position(1, 0));
  EXPECT_EQ(Channel().note, 50);
}

// Guards against a position jump going to the wrong order or keeping a row.
TEST_F(PlayerRows, PositionJumpGoesToTheOrder) {
  Patterns({MakePattern(4, {{1, 0, Fx(Effect::PositionJump, 2)}}), MakePattern(4, {}), MakePattern(4, {})},
           {0, 1, 2});
  Start();
  auto starts = RowStarts(18);
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(starts[2], Position(2, 0));
  EXPECT_EQ(state.positionJump, 0);
}

// Guards against the skip marker being played as a pattern.
TEST_F(PlayerRows, SkipMarkerIsPassedOver) {
  Patterns({MakePattern(1, {}), MakePattern(1, {})}, {0, 254, 1});
  Start();
  auto starts = RowStarts(12);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0], Position(0, 0));
  EXPECT_EQ(starts[1], Position(2, 0));
  Patterns({MakePattern(1, {})}, {254, 254, 0});
  Start();
  starts = RowStarts(1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0], Position(2, 0));
}

// Guards against a song that runs off its order list (or onto an order that
// is no pattern) playing on, or ending without telling anyone.
TEST_F(PlayerRows, SongEndsAtTheEndOfTheOrders) {
  Patterns({MakePattern(2, {{0, 0, Cell(49, 1)}}), MakePattern(1, {})}, {0, 1, 255, 0});
  Start();
  auto starts = RowStarts(6 * 4);
  EXPECT_EQ(starts.size(), 3u);
  EXPECT_FALSE(state.playing);
  EXPECT_TRUE(state.songEnd);
  EXPECT_FALSE(module.inUse);
  EXPECT_EQ(state.musicChannelCount, 0);
}

// Guards against a looping song not going back to its restart position, or
// looping for ever onto a restart position that is no pattern.
TEST_F(PlayerRows, LoopingSongRestarts) {
  Patterns({MakePattern(1, {}), MakePattern(1, {})}, {0, 254, 1});
  module.restartPosition = 1;
  Start();
  state.loopSong = 1;
  auto starts = RowStarts(6 * 4);
  ASSERT_EQ(starts.size(), 4u);
  EXPECT_EQ(starts[1], Position(2, 0));
  EXPECT_EQ(starts[2], Position(2, 0));  // restart 1 is a marker: on to 2
  EXPECT_FALSE(state.songEnd);

  module.restartPosition = 9;
  Start();
  state.loopSong = 1;
  RowStarts(6 * 3);
  EXPECT_FALSE(state.playing);
  EXPECT_TRUE(state.songEnd);
}

// Guards against reading an order list shorter than its song length.
TEST_F(PlayerRows, SongLengthBeyondTheOrderListEnds) {
  Patterns({MakePattern(1, {})}, {0});
  module.songLength = 200;
  ASSERT_TRUE(PlayerStart(state, module));
  RowStarts(6 * 2);
  EXPECT_TRUE(state.songEnd);
}

// Guards against SEx repeating a row the wrong number of times, or decoding
// the repeated row again (which would restart its notes).
TEST_F(PlayerRows, PatternDelayRepeatsTheRow) {
  Song(4, {{1, 0, Fx(Effect::Special, 0xE2)}, {1, 1, Cell(49, 1)}, {2, 0, Fx(Effect::Special, 0xE1)}});
  Start();
  auto starts = RowStarts(6 * 5);
  const std::vector<Position> expected = {{0, 0}, {0, 1}, {0, 1}, {0, 2}, {0, 3}};
  EXPECT_EQ(starts, expected);
}

// Guards against the note of a delayed row being triggered again.
TEST_F(PlayerRows, PatternDelayDoesNotRetrigger) {
  Song(4, {{0, 0, Cell(49, 1, E, Effect::Special, 0xE3)}});
  Start();
  Tick();
  EXPECT_TRUE(Channel().active);
  Ticks(5);
  Tick();  // the repeated row begins
  EXPECT_EQ(state.row, 0);
  EXPECT_FALSE(Channel().startRequest);
}

// Guards against a pattern loop playing its block the wrong number of times
// or not jumping back to the loop row.
TEST_F(PlayerRows, PatternLoopRepeatsItsBlock) {
  Song(6, {{1, 2, Fx(Effect::Special, 0xB0)}, {3, 2, Fx(Effect::Special, 0xB2)}});
  Start();
  auto starts = RowStarts(6 * 12);
  std::vector<int> rows;
  for (auto& start : starts) rows.push_back(start.second);
  const std::vector<int> expected = {0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5};
  EXPECT_EQ(rows, expected);
}

// Guards against a second pattern loop on the same row being served too
// (only the lowest channel jumps per row).
TEST_F(PlayerRows, OnePatternLoopPerRow) {
  Song(4, {{0, 0, Fx(Effect::Special, 0xB0)},
           {0, 1, Fx(Effect::Special, 0xB0)},
           {1, 0, Fx(Effect::Special, 0xB1)},
           {1, 1, Fx(Effect::Special, 0xB1)}});
  Start();
  auto starts = RowStarts(6 * 7);
  std::vector<int> rows;
  for (auto& start : starts) rows.push_back(start.second);
  // Channel 0 jumps first; channel 1's request waits for the next row start,
  // where it jumps back once more.
  const std::vector<int> expected = {0, 1, 0, 0, 1, 2, 3};
  EXPECT_EQ(rows, expected);
}

// Guards against starting an empty slot, and against stop leaving the
// module marked as in use.
TEST_F(PlayerRows, StartAndStop) {
  ModuleSlot empty;
  EXPECT_FALSE(PlayerStart(state, empty));
  Song(4, {});
  module.tempo = 10;  // below the tempo floor
  module.channelCount = 40;
  ASSERT_TRUE(Start());
  EXPECT_TRUE(state.playing);
  EXPECT_TRUE(module.inUse);
  EXPECT_EQ(state.musicChannelCount, 32);
  EXPECT_EQ(state.tempo, 32);
  EXPECT_EQ(state.tick, 6);
  EXPECT_EQ(state.musicChannels[3].defaultPanning, 24);
  EXPECT_TRUE(PlayerStop(state));
  EXPECT_FALSE(state.playing);
  EXPECT_FALSE(module.inUse);
  EXPECT_EQ(state.musicChannelCount, 0);
}

// Guards against a song starting where the previous one broke off.
TEST_F(PlayerRows, RestartForgetsTheLastBreak) {
  Patterns({MakePattern(8, {{0, 0, Fx(Effect::PatternBreak, 5)}}), MakePattern(8, {})}, {0, 1});
  Start();
  Ticks(7);
  EXPECT_EQ(state.row, 5);
  Start();
  Tick();
  EXPECT_EQ(state.orderIndex, 0);
  EXPECT_EQ(state.row, 0);
}

}  // namespace
