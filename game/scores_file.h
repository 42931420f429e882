// The best scores: the ten best times of every map type, kept whole in
// "Tervane.top" (1400 bytes, no header), and the rules by which a finishing
// time earns a place.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "Tervane.top is little-endian");

constexpr int kScoreBlocks = 5;
constexpr int kScorePlaces = 10;
constexpr int kScoreNameCapacity = 23;
constexpr int kStoredNameLength = 20;
constexpr char kScoresFile[] = "Tervane.top";

#pragma pack(push, 1)
struct TScoreEntry {
  uint8_t nameLength;
  char name[kScoreNameCapacity];
  int32_t seconds;
};
#pragma pack(pop)
static_assert(sizeof(TScoreEntry) == 28, "a best-scores entry is 28 bytes");

using TScoreTable = TScoreEntry[kScoreBlocks][kScorePlaces];
static_assert(sizeof(TScoreTable) == 1400, "Tervane.top is 1400 bytes");

extern TScoreTable ScoreTable;   // [map type - 1][place - 1]
extern int32_t NewRecordPlace;  // 0, or the place the scores screen highlights
extern const TScoreEntry DefaultScores[kScorePlaces];

// The entry's name; a damaged length byte above 23 shows 23 characters.
std::string EntryName(const TScoreEntry& entry);
// Stores the first 20 characters of name.
void SetEntryName(TScoreEntry& entry, std::string_view name);

void LoadScores();
// Writes the whole table, or nothing: a failed save keeps the old file.
void SaveScores();
// Restores the default block of a map type (1..5) and saves.
void ResetScores(int mapType);
// The first place of the map type's block whose time is strictly greater
// than seconds; 0 when there is none.
int FindRecordPlace(int mapType, int32_t seconds);
// Enters a time at a place (1..10), moving the places behind it down, and saves.
void InsertScore(int mapType, int place, std::string_view name, int32_t seconds);
