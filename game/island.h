// The island being played: one record that is also, byte for byte, the
// unpacked info block of an archived island, and the 255 x 255 picture of
// cell numbers that is also the unpacked map block.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "island records are stored little-endian, byte for byte");

constexpr int kMaxIslandCells = 160;
constexpr int kMaxNeighbours = 24;
constexpr int kGridSize = 255;                     // CellGrid rows and columns
constexpr int kGridBytes = kGridSize * kGridSize;  // 65025

// Display states of a cell.
constexpr uint8_t kStateUnexplored = 2;
constexpr uint8_t kStateExplored = 4;
constexpr uint8_t kStateRadiated = 5;

#pragma pack(push, 1)
struct TIslandCell {
  uint16_t number;
  uint16_t reserved1;
  uint16_t neighbourCount;
  uint8_t reserved2[4];
  // Neighbour i lives in the first half of the 4-byte slot at 10 + 4i; the
  // second halves are unused and the last slot's second half is shared with
  // isSea / isEdge, so the slots are kept as 47 half-words.
  uint16_t neighbourSlots[2 * kMaxNeighbours - 1];
  uint8_t isSea;
  uint8_t isEdge;
  uint8_t isRadiated;
  uint8_t isMarked;
  uint8_t isExplored;
  uint8_t isLand;
  uint8_t state;
  uint8_t radiatedNeighbours;
  int32_t rowMin;
  int32_t rowMax;
  int32_t colMin;
  int32_t colMax;
  int32_t rowCentre;
  int32_t colCentre;

  // Neighbours that fit the record, whatever neighbourCount says.
  int NeighbourTotal() const { return neighbourCount < kMaxNeighbours ? neighbourCount : kMaxNeighbours; }
  int Neighbour(int i) const { return neighbourSlots[2 * i]; }
  void SetNeighbour(int i, int cell) { neighbourSlots[2 * i] = static_cast<uint16_t>(cell); }
  void AppendNeighbour(int cell) {
    SetNeighbour(neighbourCount, cell);
    ++neighbourCount;
  }
  bool KnownSafe() const { return isExplored != 0 && isRadiated == 0; }
};

struct TIsland {
  uint8_t active;
  uint8_t prepared;
  uint16_t cellCount;
  uint8_t hoverCode;
  TIslandCell cells[kMaxIslandCells];
  uint8_t padding[3];
  int32_t exploredCount;
  int32_t accountedRadiated;

  // Cells are numbered from 1.
  TIslandCell& Cell(int number) { return cells[number - 1]; }
  const TIslandCell& Cell(int number) const { return cells[number - 1]; }
  // Highest cell number that indexes the record, whatever cellCount says.
  int LastCell() const { return cellCount < kMaxIslandCells ? cellCount : kMaxIslandCells; }
  bool HasCell(int number) const {
    return number >= 1 && number <= cellCount && number <= kMaxIslandCells;
  }
};
#pragma pack(pop)

static_assert(sizeof(TIslandCell) == 136, "TIslandCell is a 136-byte file record");
static_assert(sizeof(TIsland) == 21776, "TIsland is a 21776-byte file record");

// hoverCode values besides unexplored cell numbers.
constexpr uint8_t kHoverNothing = 0;
constexpr uint8_t kHoverRadiated = 254;
constexpr uint8_t kHoverSea = 255;

// The island in play and its picture of cell numbers, [row - 1][column - 1].
extern TIsland Island;
extern uint8_t CellGrid[kGridSize][kGridSize];

extern int32_t IslandNumber;    // 0..127, the island of the current map
extern uint8_t CurrentMapType;  // 1..4, the type of the map in play
extern int32_t RadiatedTotal;   // radiated areas of the map in play

// Per map type 1..4 (index 0 unused).
constexpr int kMapTypeCount = 4;
constexpr int32_t kRadiatedAreasByType[kMapTypeCount + 1] = {0, 13, 12, 15, 36};
constexpr int kSolverOpeningsByType[kMapTypeCount + 1] = {0, 0, 2, 3, 3};

// Any value other than 2, 3 or 4 plays as the original map type 1.
constexpr int NormalisedMapType(int mapType) {
  return mapType >= 2 && mapType <= kMapTypeCount ? mapType : 1;
}
