// Every shipped map, prepared by the game's own new-map sequence (loading,
// random mirroring, the start cell's cascade, the hint solver's openings),
// can be finished by deduction alone: the exact checker never runs out of
// cells it can prove safe.
#include <cstring>
#include <set>
#include <vector>

#include "game/map_start.h"
#include "game/mirror.h"
#include "game/rules.h"
#include "game/scores_file.h"
#include "game/solver.h"
#include "game/view.h"
#include "islands_test_support.h"
#include "platform/random.h"
#include "tools/islands/map_play.h"

namespace {

using islands_test::kIslands;
using islands_test::ShippedArchive;

const std::set<int> kNeverPlayed = {19, 22, 41, 42, 59, 64, 100, 111, 112, 116};

std::vector<int> OpenedCells() {
  std::vector<int> opened;
  for (int d = 1; d <= Island.LastCell(); ++d) {
    if (Island.Cell(d).isExplored) opened.push_back(d);
  }
  return opened;
}

class ShippedMaps : public islands_test::ScratchProgramDirectory {
 protected:
  void SetUp() override {
    ScratchProgramDirectory::SetUp();
    GameOptions = {0, 0, 1, 1};
    LoadScores();
  }

  // Prepares map `number` of `mapType` as the game does and returns the
  // cells it opened by itself.
  std::vector<int> StartMap(int mapType, int number) {
    PlayNext(mapType, number);
    platform::SetRandomSeed(static_cast<uint32_t>(4 * number + mapType));
    StartNewMap(Island);
    EXPECT_EQ(IslandNumber, number);
    return OpenedCells();
  }

  // The generator's own account of those openings, on the map as loaded.
  std::vector<int> GeneratorOpenings(int mapType, int number) {
    PlayNext(mapType, number);
    std::memset(&Island, 0, sizeof Island);
    LoadIsland(Island);
    RadiatedTotal = kRadiatedAreasByType[mapType];
    islands::OpenStartCells(kSolverOpeningsByType[mapType]);
    return OpenedCells();
  }
};

void ExpectSolvedByDeduction(const char* what) {
  EXPECT_FALSE(islands::AllSafeCellsOpen()) << what << ": the openings already finish the map";
  islands::PlayOutcome outcome;
  islands::DeduceToTheEnd(outcome);
  EXPECT_TRUE(outcome.solved) << what << " needs a guess";
  EXPECT_FALSE(outcome.tooComplex) << what;
}

// Guards against shipping a map that makes the player guess, and against
// a generator whose idea of the game's openings differs from the game's.
TEST_F(ShippedMaps, EveryMapIsSolvedWithoutGuessingFromTheGamesOwnOpenings) {
  for (int type = 1; type <= 4; ++type) {
    for (int n = 0; n < kIslands; ++n) {
      if (type == 1 && kNeverPlayed.count(n)) continue;
      SCOPED_TRACE(testing::Message() << "type " << type << " map " << n);
      std::vector<int> expected = GeneratorOpenings(type, n);
      std::vector<int> opened = StartMap(type, n);
      EXPECT_EQ(opened, expected);
      EXPECT_EQ(GameRunning, 1);
      EXPECT_EQ(Island.active, 1) << "the openings ended the game";
      ExpectSolvedByDeduction("the map");
    }
  }
}

// The archive's islands that the game never plays are held to the same
// standard, opened by the game's own OpenCell.
TEST_F(ShippedMaps, IslandsNeverPlayedAreSolvableToo) {
  RadiatedTotal = kRadiatedAreasByType[1];
  GameRunning = 0;
  for (int k : kNeverPlayed) {
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    OpenCell(Island, Island.accountedRadiated);
    ExpectSolvedByDeduction("the island");
  }
}

// Mirroring moves pixels and boxes only: guards against a mirror that
// changes which cells neighbour which, the digits, or what the start opens.
TEST_F(ShippedMaps, MirroringChangesNeitherTheCellGraphNorTheOpenings) {
  static TIsland loaded, mirrored;
  for (int type = 1; type <= 4; ++type) {
    for (int n : {0, 1, 63, 127}) {
      SCOPED_TRACE(testing::Message() << "type " << type << " map " << n);
      std::vector<int> unmirrored = GeneratorOpenings(type, n);
      PlayNext(type, n);
      std::memset(&loaded, 0, sizeof loaded);
      LoadIsland(loaded);
      for (int mirror = 1; mirror < 4; ++mirror) {
        std::memcpy(&mirrored, &loaded, sizeof loaded);
        if (mirror & 1) MirrorTopToBottom(mirrored);
        if (mirror & 2) MirrorLeftToRight(mirrored);
        for (int d = 1; d <= loaded.cellCount; ++d) {
          // Everything before the box fields stays as it was.
          EXPECT_EQ(std::memcmp(&mirrored.Cell(d), &loaded.Cell(d), offsetof(TIslandCell, rowMin)), 0) << d;
        }
        std::memcpy(&Island, &mirrored, sizeof Island);
        OpenCell(Island, Island.accountedRadiated);
        for (int i = 0; i < kSolverOpeningsByType[type]; ++i) {
          int32_t safe = FindSafeCell();
          if (safe > 0) OpenCell(Island, safe);
        }
        EXPECT_EQ(OpenedCells(), unmirrored) << "mirrored " << mirror;
      }
    }
  }
}

}  // namespace
