#include "game/scores_file.h"

#include <algorithm>
#include <cstring>

#include "game/file_block.h"
#include "platform/files.h"

TScoreTable ScoreTable;
int32_t NewRecordPlace = 0;

namespace {

constexpr TScoreEntry MakeDefault(std::string_view name, int32_t seconds) {
  TScoreEntry entry = {};
  entry.nameLength = static_cast<uint8_t>(name.size());
  for (size_t i = 0; i < name.size(); ++i) entry.name[i] = name[i];
  entry.seconds = seconds;
  return entry;
}

bool ValidBlock(int mapType) { return mapType >= 1 && mapType <= kScoreBlocks; }

// The default block of a map type: harder maps get more time.
void FillDefaultBlock(int mapType) {
  TScoreEntry* block = ScoreTable[mapType - 1];
  std::copy(DefaultScores, DefaultScores + kScorePlaces, block);
  for (int place = 0; place < kScorePlaces; ++place) {
    if (mapType == 3) block[place].seconds = block[place].seconds * 6 / 4;
    if (mapType == 4) block[place].seconds = block[place].seconds * 2;
  }
}

}  // namespace

const TScoreEntry DefaultScores[kScorePlaces] = {
    MakeDefault("Tavik", 40),   MakeDefault("Brenna", 50),  MakeDefault("Old Ossel", 60),
    MakeDefault("Marrow", 75),  MakeDefault("Fenwick", 100), MakeDefault("Lumo", 125),
    MakeDefault("Haskel", 150), MakeDefault("Dunmere", 175), MakeDefault("Yarrow", 200),
    MakeDefault("Quillon", 250),
};

std::string EntryName(const TScoreEntry& entry) {
  return std::string(entry.name, std::min<int>(entry.nameLength, kScoreNameCapacity));
}

void SetEntryName(TScoreEntry& entry, std::string_view name) {
  size_t length = std::min<size_t>(name.size(), kStoredNameLength);
  entry.nameLength = static_cast<uint8_t>(length);
  std::memcpy(entry.name, name.data(), length);
}

void LoadScores() {
  if (platform::FileExists(kScoresFile)) {
    ReadFileBlock(kScoresFile, ScoreTable, 0, sizeof ScoreTable);
    return;
  }
  for (int mapType = 1; mapType <= kScoreBlocks; ++mapType) FillDefaultBlock(mapType);
}

void SaveScores() { platform::ReplaceWholeFile(kScoresFile, ScoreTable, sizeof ScoreTable); }

void ResetScores(int mapType) {
  if (!ValidBlock(mapType)) return;
  FillDefaultBlock(mapType);
  SaveScores();
}

int FindRecordPlace(int mapType, int32_t seconds) {
  if (!ValidBlock(mapType)) return 0;
  for (int place = 1; place <= kScorePlaces; ++place) {
    if (ScoreTable[mapType - 1][place - 1].seconds > seconds) return place;
  }
  return 0;
}

void InsertScore(int mapType, int place, std::string_view name, int32_t seconds) {
  if (!ValidBlock(mapType) || place < 1 || place > kScorePlaces) return;
  TScoreEntry* block = ScoreTable[mapType - 1];
  std::copy_backward(block + place - 1, block + kScorePlaces - 1, block + kScorePlaces);
  block[place - 1].seconds = seconds;
  SetEntryName(block[place - 1], name);
  SaveScores();
}
