// "Tervane.top" as the game reads and uses it: any bytes (short, unsorted,
// negative times, name lengths above 23) are shown, placed against, inserted
// into and saved without reading or writing outside the table, and a saved
// table reads back exactly.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "file_harness.h"
#include "game/scores_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterScratchFolder("fuzz-scores");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::WriteInput(kScoresFile, data, size);
  std::memset(ScoreTable, 0, sizeof ScoreTable);
  LoadScores();
  int32_t seconds = size >= 4 ? static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24) : 7;
  for (int mapType = 0; mapType <= kScoreBlocks + 1; ++mapType) {
    for (int place = 0; place < kScorePlaces; ++place) {
      if (mapType >= 1 && mapType <= kScoreBlocks)
        fuzzing::Require(EntryName(ScoreTable[mapType - 1][place]).size() <= kScoreNameCapacity);
    }
    int place = FindRecordPlace(mapType, seconds);
    fuzzing::Require(place >= 0 && place <= kScorePlaces);
    if (place != 0) InsertScore(mapType, place, std::string(reinterpret_cast<const char*>(data), size % 30), seconds);
  }
  ResetScores(static_cast<int>(size % 7));
  TScoreTable saved;
  std::memcpy(saved, ScoreTable, sizeof saved);
  SaveScores();
  std::memset(ScoreTable, 0, sizeof ScoreTable);
  LoadScores();
  fuzzing::Require(std::memcmp(saved, ScoreTable, sizeof saved) == 0);
  return 0;
}
