#include "game/rules.h"

#include "game/clock.h"
#include "game/game_host.h"
#include "game/game_screen.h"
#include "game/options_file.h"
#include "game/scores_file.h"
#include "game/view.h"
#include "platform/clock.h"

uint8_t GameRunning = 0;
std::string StatusText;
std::string ResultText;

namespace {

constexpr char kVictoryText[] = "Victory!";
constexpr char kFailureText[] = "You have failed!";

int32_t Now() { return static_cast<int32_t>(platform::GetTickCount()); }

// After a cell changed: the view follows its state, the screen repaints it.
void ShowChangedCell(TIsland& island, int cell) {
  HostOfGame().KeepWindowAlive();
  RefreshView(island);
  HostOfGame().KeepWindowAlive();
  Screen().RepaintCell(cell);
  HostOfGame().KeepWindowAlive();
  Screen().Redraw(true);
}

void FailGame(TIsland& island, int cell) {
  Screen().PlaySound(kSoundFailed);
  EndTick = Now();
  island.active = 0;
  ResultText = kFailureText;
  StatusText = kFailureText;
  for (int d = 1; d <= island.LastCell(); ++d) {
    TIslandCell& other = island.Cell(d);
    if (other.isRadiated && !other.isExplored) {
      other.isExplored = 1;
      other.state = kStateRadiated;
    }
  }
  RefreshView(island);
  HostOfGame().KeepWindowAlive();
  for (int d = 1; d <= island.LastCell(); ++d) {
    if (island.Cell(d).isRadiated) Screen().RepaintCell(d);
  }
  Screen().RepaintCell(cell);
  HostOfGame().KeepWindowAlive();
  island.accountedRadiated = RadiatedTotal;
  Screen().Redraw(true);
  Screen().PushFailScreen();
}

void Penalise(TIsland& island) {
  StartTick = static_cast<int32_t>(static_cast<uint32_t>(StartTick) - kRadiationPenaltyMilliseconds);
  ++island.accountedRadiated;
  Screen().PlaySound(kSoundPenalty);
}

void WinGame(TIsland& island) {
  EndTick = Now();
  island.active = 0;
  ResultText = kVictoryText;
  StatusText = kVictoryText;
  for (int d = 1; d <= island.LastCell(); ++d) {
    TIslandCell& other = island.Cell(d);
    if (other.isRadiated && !other.isExplored) other.isMarked = 1;
  }
  HostOfGame().KeepWindowAlive();
  island.accountedRadiated = RadiatedTotal;
  Screen().Redraw(true);

  int32_t seconds = ElapsedSeconds();
  int place = FindRecordPlace(CurrentMapType, seconds);
  if (place == 0) {
    Screen().PlaySound(kSoundFinished);
    Screen().PushFinishScreen();
    return;
  }
  Screen().PlaySound(place == 1 ? kSoundFirstPlace : kSoundRecord);
  NewRecordPlace = place;
  Screen().PushNewRecordScreen("You complete this map for " + std::to_string(seconds) + " seconds",
                               "and have got the " + std::to_string(place) + " place");
}

void OpenNeighbours(TIsland& island, int cell) {
  const TIslandCell& opened = island.Cell(cell);
  for (int i = 0; i < opened.NeighbourTotal(); ++i) {
    int neighbour = opened.Neighbour(i);
    if (island.HasCell(neighbour) && !island.Cell(neighbour).isExplored) OpenCell(island, neighbour);
  }
}

}  // namespace

void SetHoverCell(TIsland& island, int cell) {
  if (cell == island.hoverCode) return;
  if (!island.HasCell(cell)) {
    island.hoverCode = kHoverNothing;
    return;
  }
  const TIslandCell& target = island.Cell(cell);
  if (target.isSea) {
    island.hoverCode = kHoverSea;
  } else if (target.isExplored) {
    island.hoverCode = target.isRadiated ? kHoverRadiated : kHoverNothing;
  } else {
    island.hoverCode = static_cast<uint8_t>(cell);
  }
}

void OpenCell(TIsland& island, int cell) {
  HostOfGame().KeepWindowAlive();
  if (!island.HasCell(cell)) return;
  TIslandCell& opened = island.Cell(cell);
  if (opened.isExplored) return;
  SetHoverCell(island, 0);
  HostOfGame().KeepWindowAlive();
  if (GameRunning && StartTick == 0) StartTick = Now();
  if (opened.isMarked) {
    opened.isMarked = 0;
    --island.accountedRadiated;
  }
  opened.isExplored = 1;
  if (!opened.isRadiated) {
    opened.state = kStateExplored;
    if (opened.radiatedNeighbours != 0) Screen().PlaySound(kSoundOpenedDigit);
  } else {
    opened.state = kStateRadiated;
    if (GameOptions.radiationFatal != 0) {
      FailGame(island, cell);
      return;
    }
    Penalise(island);
  }
  ShowChangedCell(island, cell);

  if (opened.isRadiated) return;
  if (opened.radiatedNeighbours == 0) {
    Screen().PlaySound(kSoundOpenedEmpty);
    OpenNeighbours(island, cell);
  }
  // Counted only after the cascade has returned, so the win is detected once,
  // in the outermost opening, with every cell of the cascade open. A map
  // that has ended (the hint key still opens cells of a lost map) is not
  // won afterwards.
  ++island.exploredCount;
  if (island.active && RadiatedTotal + island.exploredCount + 1 == island.cellCount) WinGame(island);
}

void ToggleMark(TIsland& island, int cell) {
  if (!island.HasCell(cell)) return;
  TIslandCell& target = island.Cell(cell);
  if (target.isExplored || target.isSea) return;
  if (target.isMarked) {
    Screen().PlaySound(kSoundUnmarked);
    target.isMarked = 0;
    --island.accountedRadiated;
    StatusText = "Unexplored area";
  } else {
    Screen().PlaySound(kSoundMarked);
    target.isMarked = 1;
    ++island.accountedRadiated;
    StatusText = "Marked area";
  }
  Screen().RepaintCell(cell);
  Screen().Redraw(true);
}

void OpenByCount(TIsland& island, int cell) {
  if (!island.HasCell(cell) || !island.Cell(cell).isExplored) return;
  const TIslandCell& pressed = island.Cell(cell);
  int marked = 0;
  for (int i = 0; i < pressed.NeighbourTotal(); ++i) {
    int neighbour = pressed.Neighbour(i);
    if (island.HasCell(neighbour) && island.Cell(neighbour).isMarked) ++marked;
  }
  if (marked != pressed.radiatedNeighbours) return;
  for (int i = 0; i < pressed.NeighbourTotal() && island.active; ++i) {
    int neighbour = pressed.Neighbour(i);
    if (!island.HasCell(neighbour)) continue;
    const TIslandCell& other = island.Cell(neighbour);
    if (!other.isExplored && !other.isMarked) OpenCell(island, neighbour);
  }
}
