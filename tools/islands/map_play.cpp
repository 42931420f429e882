#include "tools/islands/map_play.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "game/island.h"
#include "game/solver.h"
#include "tools/islands/exact_solver.h"

namespace islands {

namespace {

[[noreturn]] void SolverFault(int cell) {
  // The hint solver named a radiated cell: the game itself would be wrong.
  throw std::logic_error("the hint solver named radiated cell " + std::to_string(cell));
}

}  // namespace

int OpenWithCascade(int cell) {
  int opened = 0;
  std::vector<int> pending{cell};
  while (!pending.empty()) {
    int d = pending.back();
    pending.pop_back();
    if (!Island.HasCell(d)) continue;
    TIslandCell& target = Island.Cell(d);
    if (target.isExplored || target.isSea) continue;
    target.isExplored = 1;
    target.state = target.isRadiated ? kStateRadiated : kStateExplored;
    ++opened;
    if (target.isRadiated || target.radiatedNeighbours != 0) continue;
    for (int i = target.NeighbourTotal(); i-- > 0;) pending.push_back(target.Neighbour(i));
  }
  return opened;
}

int OpenStartCells(int solverOpenings) {
  int opened = OpenWithCascade(Island.accountedRadiated);
  for (int i = 0; i < solverOpenings; ++i) {
    int32_t safe = FindSafeCell();
    if (safe <= 0) continue;
    if (Island.Cell(safe).isRadiated) SolverFault(safe);
    opened += OpenWithCascade(safe);
  }
  return opened;
}

bool AllSafeCellsOpen() {
  for (int d = 1; d <= Island.LastCell(); ++d) {
    const TIslandCell& cell = Island.Cell(d);
    if (!cell.isSea && !cell.isRadiated && !cell.isExplored) return false;
  }
  return true;
}

PlayOutcome PlayWithoutGuessing(int solverOpenings) {
  PlayOutcome outcome;
  outcome.openedAtStart = OpenStartCells(solverOpenings);
  DeduceToTheEnd(outcome);
  return outcome;
}

void DeduceToTheEnd(PlayOutcome& outcome) {
  while (!AllSafeCellsOpen()) {
    Deduction deduction = DeduceCells(Island, RadiatedTotal);
    if (deduction.tooComplex) outcome.tooComplex = true;
    if (deduction.safe.empty()) return;
    ++outcome.rounds;
    for (int cell : deduction.safe) {
      if (Island.Cell(cell).isRadiated) {
        throw std::logic_error("the exact checker named radiated cell " + std::to_string(cell));
      }
      OpenWithCascade(cell);
    }
  }
  outcome.solved = true;
}

bool HintKeySolves(int solverOpenings) {
  OpenStartCells(solverOpenings);
  for (;;) {
    int32_t safe = FindSafeCell();
    if (safe < 0) return true;
    if (safe == 0) return false;
    if (Island.Cell(safe).isRadiated) SolverFault(safe);
    OpenWithCascade(safe);
  }
}

}  // namespace islands
