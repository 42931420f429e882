#include <set>

#include "game/file_block.h"
#include "game/island_rotation.h"
#include "game/options_file.h"
#include "game_test_support.h"
#include "platform/random.h"

namespace {

class IslandFiles : public GameDirectoryTest {
 protected:
  void SetUp() override {
    GameDirectoryTest::SetUp();
    platform::SetRandomSeed(1234);
    std::memset(&Island, 0, sizeof Island);
  }

  int32_t Counter() {
    int32_t counter = 0;
    ReadFileBlock(kIslandCounterFile, &counter, 0, sizeof counter);
    return counter;
  }
  void SetCounter(int32_t counter) { WriteFileBlock(kIslandCounterFile, &counter, 0, sizeof counter); }
  std::vector<uint8_t> Order() { return ReadAll(kIslandOrderFile); }
  void SetOrder(const std::vector<uint8_t>& order) { WriteAll(kIslandOrderFile, order); }

  std::string FatalMessage(void (*action)()) {
    testing_support::ProgramStop stop = testing_support::StopOf(action);
    return stop.kind == testing_support::StopKind::kFatalExit ? stop.what() : "(no fatal exit)";
  }
};

std::vector<uint8_t> IdentityOrder() {
  std::vector<uint8_t> order(128);
  for (int i = 0; i < 128; ++i) order[i] = static_cast<uint8_t>(i);
  return order;
}

void LoadIntoGlobal() { LoadIsland(Island); }

}  // namespace

// Guards against a read that clears what a short file did not cover, and a
// write that truncates or fails to create.
TEST_F(IslandFiles, BlocksKeepBufferTailAndNeverTruncate) {
  WriteAll("data.bin", {1, 2, 3, 4, 5, 6});
  uint8_t buffer[6] = {9, 9, 9, 9, 9, 9};
  EXPECT_EQ(ReadFileBlock("data.bin", buffer, 4, sizeof buffer), 2u);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 6), (std::vector<uint8_t>{5, 6, 9, 9, 9, 9}));

  uint8_t patch[2] = {7, 8};
  WriteFileBlock("data.bin", patch, 1, 2);
  EXPECT_EQ(ReadAll("data.bin"), (std::vector<uint8_t>{1, 7, 8, 4, 5, 6}));
  WriteFileBlock("new.bin", patch, 0, 2);
  EXPECT_EQ(ReadAll("new.bin"), (std::vector<uint8_t>{7, 8}));

  EXPECT_EQ(testing_support::StopOf([&] { ReadFileBlock("missing.bin", buffer, 0, 1); }).kind,
            testing_support::StopKind::kRuntimeError);
}

// Guards against a first start that plays entry 0, writes no files, or
// writes an order that is not a permutation.
TEST_F(IslandFiles, FirstStartWritesPermutationAndCounterOne) {
  int32_t number = ChooseIslandNumber();
  std::vector<uint8_t> order = Order();
  ASSERT_EQ(order.size(), 128u);
  EXPECT_EQ(std::set<uint8_t>(order.begin(), order.end()).size(), 128u);
  EXPECT_EQ(*std::max_element(order.begin(), order.end()), 127);
  EXPECT_EQ(Counter(), 1);
  EXPECT_EQ(number, order[1]);
}

// Guards against the counter not wrapping through the permutation, and
// against a counter at the end of its range indexing outside it.
TEST_F(IslandFiles, CounterWrapsThroughThePermutation) {
  std::vector<uint8_t> order = IdentityOrder();
  std::reverse(order.begin(), order.end());
  SetOrder(order);
  SetCounter(127);
  EXPECT_EQ(ChooseIslandNumber(), order[0]);  // counter 128
  EXPECT_EQ(ChooseIslandNumber(), order[1]);  // counter 129
  EXPECT_EQ(Counter(), 129);
  SetCounter(INT32_MAX);
  EXPECT_EQ(ChooseIslandNumber(), order[0]);
  EXPECT_EQ(Counter(), INT32_MIN);
}

// Guards against deleting the order file resetting the counter, and against a
// damaged order file (not a permutation) being used to index the archive.
TEST_F(IslandFiles, NewOrderKeepsCounterAndDamagedOrderIsReplaced) {
  ChooseIslandNumber();
  ChooseIslandNumber();
  platform::DeleteFileIfExists(kIslandOrderFile);
  ChooseIslandNumber();
  EXPECT_EQ(Counter(), 3);
  EXPECT_EQ(Order().size(), 128u);

  SetOrder(std::vector<uint8_t>(128, 200));
  int32_t number = ChooseIslandNumber();
  std::vector<uint8_t> order = Order();
  EXPECT_EQ(std::set<uint8_t>(order.begin(), order.end()).size(), 128u);
  EXPECT_EQ(number, order[4]);
}

// Guards against an archive island being used whole: unpacked picture and
// record, island number from the rotation.
TEST_F(IslandFiles, ArchiveIslandLoads) {
  TIsland stored;
  MakeSquareIsland(stored, {3, 20, 40}, 33);
  WriteArchive(stored, CellGrid);
  uint8_t expectedGrid[kGridSize][kGridSize];
  std::memcpy(expectedGrid, CellGrid, sizeof CellGrid);
  std::memset(CellGrid, 0, sizeof CellGrid);
  SetOrder(IdentityOrder());
  SetCounter(4);
  GameOptions.mapType = 1;
  LoadIsland(Island);
  EXPECT_EQ(IslandNumber, 5);
  EXPECT_EQ(std::memcmp(&Island, &stored, sizeof Island), 0);
  EXPECT_EQ(std::memcmp(CellGrid, expectedGrid, sizeof CellGrid), 0);
}

// Guards against excluded islands being played, and against the retry not
// advancing and writing the counter once per draw.
TEST_F(IslandFiles, ExcludedIslandsAdvanceTheCounter) {
  TIsland stored;
  MakeSquareIsland(stored, {3}, 33);
  WriteArchive(stored, CellGrid);
  SetOrder(IdentityOrder());
  SetCounter(40);  // draws 41 and 42 are excluded, 43 is played
  GameOptions.mapType = 1;
  LoadIsland(Island);
  EXPECT_EQ(IslandNumber, 43);
  EXPECT_EQ(Counter(), 43);
}

// Guards against a missing or short pointer table being used.
TEST_F(IslandFiles, BadPointerTableIsFatal) {
  GameOptions.mapType = 1;
  EXPECT_EQ(FatalMessage(LoadIntoGlobal), "Islands information absent");
  TIsland stored;
  MakeSquareIsland(stored, {3}, 33);
  WriteArchive(stored, CellGrid);
  std::vector<uint8_t> table = ReadAll(kArchivePointerFile);
  table[8 * 127 + 4] = table[8 * 127 + 5] = table[8 * 127 + 6] = table[8 * 127 + 7] = 0;
  WriteAll(kArchivePointerFile, table);
  EXPECT_EQ(FatalMessage(LoadIntoGlobal), "Islands information absent");
  table.resize(1000);
  WriteAll(kArchivePointerFile, table);
  EXPECT_EQ(FatalMessage(LoadIntoGlobal), "Islands information absent");
}

// Guards against damaged blocks being accepted, and the map message losing
// its produced count.
TEST_F(IslandFiles, DamagedBlocksAreFatalWithTheirMessages) {
  std::memset(CellGrid, 65, sizeof CellGrid);  // packs to runs of 156 and a last run of 129
  std::vector<uint8_t> map = PackRle(&CellGrid[0][0], kGridBytes);
  std::vector<uint8_t> info(sizeof(TIsland), 0);
  info = PackRle(info.data(), info.size());
  auto unpack = [&](const std::vector<uint8_t>& m, const std::vector<uint8_t>& i) {
    testing_support::ProgramStop stop = testing_support::StopOf([&] {
      UnpackArchiveIsland(m.data(), static_cast<int64_t>(m.size()), i.data(), static_cast<int64_t>(i.size()), Island);
    });
    return stop.kind == testing_support::StopKind::kFatalExit ? std::string(stop.what()) : std::string("(accepted)");
  };
  std::vector<uint8_t> shortMap(map.begin(), map.end() - 2);
  EXPECT_EQ(unpack(shortMap, info),
            "Islands information: map unpacking error 64896 of 65025");
  std::vector<uint8_t> longMap = map;
  longMap.push_back(5);
  EXPECT_EQ(unpack(longMap, info), "Islands information: map unpacking error 65026 of 65025");
  std::vector<uint8_t> cutMap(map.begin(), map.end() - 1);
  EXPECT_EQ(unpack(cutMap, info), "Islands information: map unpacking error -1 of 65025");
  std::vector<uint8_t> shortInfo(info.begin(), info.end() - 2);
  EXPECT_EQ(unpack(map, shortInfo), "Islands information: info unpacking error");
}

// Guards against an archive island whose cell numbers point outside its
// cells reaching the rules and the screen.
TEST_F(IslandFiles, InconsistentArchiveIslandIsRefused) {
  TIsland stored;
  MakeSquareIsland(stored, {3}, 33);
  auto refused = [&](const TIsland& island) {
    std::vector<uint8_t> map = PackRle(&CellGrid[0][0], kGridBytes);
    std::vector<uint8_t> info = PackRle(reinterpret_cast<const uint8_t*>(&island), sizeof island);
    testing_support::ProgramStop stop = testing_support::StopOf([&] {
      UnpackArchiveIsland(map.data(), static_cast<int64_t>(map.size()), info.data(),
                          static_cast<int64_t>(info.size()), Island);
    });
    return stop.kind == testing_support::StopKind::kFatalExit &&
           std::string(stop.what()) == "Islands information: info unpacking error";
  };
  EXPECT_FALSE(refused(stored));
  TIsland bad = stored;
  bad.Cell(5).SetNeighbour(0, 66);
  EXPECT_TRUE(refused(bad));
  bad = stored;
  bad.Cell(5).neighbourCount = 25;
  EXPECT_TRUE(refused(bad));
  bad = stored;
  bad.cellCount = 161;
  EXPECT_TRUE(refused(bad));
  bad = stored;
  bad.Cell(5).rowMax = 256;
  EXPECT_TRUE(refused(bad));
  CellGrid[0][0] = 0;
  EXPECT_TRUE(refused(stored));
}

// Guards against the layout record not being applied to the built grid:
// radiated cells, digits, the start cell, and the record chosen by number.
TEST_F(IslandFiles, LayoutRecordIsApplied) {
  std::vector<uint8_t> bytes(65 * 128, 0);
  SetOrder(IdentityOrder());
  SetCounter(2);  // island 3
  uint8_t* record = &bytes[3 * 65];
  record[0] = 1;
  record[9] = 1;
  record[20] = 2;
  record[30] = 2;  // the last start cell wins
  WriteAll("islands\\islands3.inf", bytes);
  GameOptions.mapType = 3;
  LoadIsland(Island);
  EXPECT_EQ(IslandNumber, 3);
  EXPECT_EQ(+Island.cellCount, 65);
  EXPECT_TRUE(Island.Cell(1).isRadiated);
  EXPECT_TRUE(Island.Cell(10).isRadiated);
  EXPECT_FALSE(Island.Cell(2).isRadiated);
  EXPECT_EQ(Island.Cell(2).radiatedNeighbours, 2);  // touches cells 1 and 10
  EXPECT_EQ(Island.Cell(9).radiatedNeighbours, 2);
  EXPECT_EQ(+Island.accountedRadiated, 31);
}

// Guards against a record without a start cell inventing one.
TEST_F(IslandFiles, LayoutWithoutStartCellLeavesZero) {
  WriteLayoutFile(4, 158, {1, 2, 3}, 0);
  GameOptions.mapType = 4;
  LoadIsland(Island);
  EXPECT_EQ(+Island.cellCount, 158);
  EXPECT_EQ(+Island.accountedRadiated, 0);
}

// Guards against the missing-layout message losing its leading quote or
// naming the wrong file.
TEST_F(IslandFiles, MissingLayoutIsFatal) {
  GameOptions.mapType = 2;
  EXPECT_EQ(FatalMessage(LoadIntoGlobal), "\"File \"islands\\islands2.inf\" absent");
  GameOptions.mapType = 4;
  EXPECT_EQ(FatalMessage(LoadIntoGlobal), "\"File \"islands\\islands4.inf\" absent");
}

// Guards against an island model that cannot stop without a shell (the
// island tools use it on its own): a fatal error must still end the process,
// with status 1 and the message on standard error.
TEST_F(IslandFiles, WithoutAShellAFatalErrorStillEndsTheProcess) {
  GameOptions.mapType = 1;
  EXPECT_EXIT(
      {
        GameHostOutput = nullptr;
        LoadIntoGlobal();
      },
      testing::ExitedWithCode(1), "Islands information absent");
}
