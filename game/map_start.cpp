#include "game/map_start.h"

#include <cstring>

#include "game/clock.h"
#include "game/game_host.h"
#include "game/game_screen.h"
#include "game/island_files.h"
#include "game/mirror.h"
#include "game/options_file.h"
#include "game/rules.h"
#include "game/solver.h"
#include "game/view.h"

namespace {

constexpr int kBusyPointer = 2;
constexpr int kArrowPointer = 1;
constexpr int kNewMapTransition = 1;
constexpr int kNewMapTransitionMilliseconds = 600;

void AnnouncePreparation(TIsland& island) {
  Screen().SelectPointer(kBusyPointer);
  island.active = 0;
  GameRunning = 0;
  StatusText = "Generating new map...";
  island.prepared = 1;
  Screen().Redraw(false);
}

void PrepareIsland(TIsland& island) {
  StartTick = 0;
  EndTick = 0;
  std::memset(&island, 0, sizeof island);
  CurrentMapType = static_cast<uint8_t>(NormalisedMapType(GameOptions.mapType));
  RadiatedTotal = kRadiatedAreasByType[CurrentMapType];
  LoadIsland(island);
  MirrorIslandRandomly(island);
  island.prepared = 1;
  BuildBorderMask();
  HostOfGame().KeepWindowAlive();
  island.active = 1;
  BuildView(island);
  HostOfGame().KeepWindowAlive();
  CentreView();
}

void ShowNewMap() {
  Screen().RenderIsland();
  StatusText.clear();
  StartTick = 0;
  Screen().MarkMapLoaded();
}

void RevealNewMap() {
  Screen().PrepareTransition();
  Screen().PlaySound(kSoundNewMap);
  Screen().PlayTransition(kNewMapTransition, kNewMapTransitionMilliseconds);
  Screen().SelectPointer(kArrowPointer);
}

void OpenFirstCells(TIsland& island, int startCell) {
  OpenCell(island, startCell);
  for (int i = 0; i < kSolverOpeningsByType[CurrentMapType]; ++i) {
    int32_t safe = FindSafeCell();
    if (safe > 0) OpenCell(island, safe);
  }
}

}  // namespace

void StartNewMap(TIsland& island) {
  AnnouncePreparation(island);
  PrepareIsland(island);
  ShowNewMap();
  int startCell = island.accountedRadiated;
  RevealNewMap();
  OpenFirstCells(island, startCell);
  // Whatever the first openings counted is discarded, and so is the input
  // queued while the map was prepared.
  island.accountedRadiated = 0;
  HostOfGame().DiscardQueuedInput();
  GameRunning = 1;
}
