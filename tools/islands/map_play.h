// Playing a map the way the game opens it and a careful player goes on:
// the start cell with its cascade, the openings map preparation asks the
// hint solver for, then only cells proven safe. Everything here works on the
// game's own island record `Island` and its `RadiatedTotal`, as the hint
// solver does.
#pragma once

namespace islands {

// Opens a safe cell as a click does, and through every cell without
// radiated neighbours on to its neighbours. Returns the cells opened.
int OpenWithCascade(int cell);

// What the game opens at the start of a map: the start cell held in
// accountedRadiated, then `solverOpenings` cells named by FindSafeCell.
// Returns the cells opened.
int OpenStartCells(int solverOpenings);

struct PlayOutcome {
  bool solved = false;       // every safe cell opened without a guess
  bool tooComplex = false;   // the checker gave up on some position
  int openedAtStart = 0;     // cells the game opened by itself
  int rounds = 0;            // deductions the player needed after that
};

// From a fresh map: the game's openings, then rounds of opening every cell
// the exact checker proves safe, until the island is done or nothing more
// can be proven.
PlayOutcome PlayWithoutGuessing(int solverOpenings);

// The rounds of deduction alone, from the island as it stands; fills in
// `solved`, `tooComplex` and `rounds`.
void DeduceToTheEnd(PlayOutcome& outcome);

// From a fresh map: the game's openings, then the hint key pressed until it
// has nothing more to say. Whether that finishes the map.
bool HintKeySolves(int solverOpenings);

bool AllSafeCellsOpen();

}  // namespace islands
