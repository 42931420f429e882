#include "game/solver.h"

#include <algorithm>
#include <cstring>

namespace {

// Rebuilt on every call; kept here so that a call allocates nothing.
ConstraintList g_constraints;

bool SameConstraint(const Constraint& a, const Constraint& b) {
  return a.size == b.size && a.radiated == b.radiated &&
         std::memcmp(a.members, b.members, a.size) == 0;
}

// Whether every member of `part` is a member of `whole` (both ascending).
bool IsSubset(const Constraint& part, const Constraint& whole) {
  int w = 0;
  for (int p = 0; p < part.size; ++p) {
    while (w < whole.size && whole.members[w] < part.members[p]) ++w;
    if (w == whole.size || whole.members[w] != part.members[p]) return false;
    ++w;
  }
  return true;
}

Constraint Difference(const Constraint& whole, const Constraint& part) {
  Constraint result = {};
  for (int w = 0; w < whole.size; ++w) {
    if (!std::binary_search(part.members, part.members + part.size, whole.members[w])) {
      result.members[result.size++] = whole.members[w];
    }
  }
  result.radiated = static_cast<uint8_t>(whole.radiated - part.radiated);
  return result;
}

// A cell the solver may assume holds no radiated area: explored and safe,
// or the sea, which can never be opened.
bool ClearedForSolver(const TIsland& island, int cell) {
  return island.Cell(cell).KnownSafe() || island.Cell(cell).isSea;
}

// One constraint per known-safe cell with unknown neighbours; a cell with
// more unknown neighbours than a constraint holds is left out.
void CollectConstraints(const TIsland& island, ConstraintList& list) {
  list.count = 0;
  for (int d = 1; d <= island.LastCell(); ++d) {
    const TIslandCell& cell = island.Cell(d);
    if (!cell.KnownSafe()) continue;
    Constraint constraint = {};
    int unknown = 0;
    for (int i = 0; i < cell.NeighbourTotal(); ++i) {
      int neighbour = cell.Neighbour(i);
      if (!island.HasCell(neighbour) || ClearedForSolver(island, neighbour)) continue;
      if (unknown < kConstraintMembers) constraint.members[unknown] = static_cast<uint8_t>(neighbour);
      ++unknown;
    }
    if (unknown == 0 || unknown > kConstraintMembers) continue;
    constraint.size = static_cast<uint8_t>(unknown);
    constraint.radiated = cell.radiatedNeighbours;
    AddConstraint(list, constraint);
  }
}

bool SubsetPass(ConstraintList& list, int32_t& result) {
  for (int a = 0; a < list.count; ++a) {
    const Constraint whole = list.entries[a];
    if (whole.radiated == 0) {
      result = whole.members[0];
      return true;
    }
    if (whole.size >= 2 && whole.radiated == whole.size) {
      Constraint first = {};
      first.size = 1;
      first.radiated = 1;
      first.members[0] = whole.members[0];
      if (AddConstraint(list, first)) return true;
    }
    for (int b = 0; b < list.count; ++b) {
      const Constraint& part = list.entries[b];
      // A part as large as the whole would leave nothing to derive.
      if (b == a || part.size >= whole.size || !IsSubset(part, whole)) continue;
      if (AddConstraint(list, Difference(whole, part))) return true;
    }
  }
  return false;
}

// Radiated areas still unaccounted for in a constraint, per uncovered member.
double Density(const Constraint& constraint, const uint8_t (&covered)[256], int& accounted) {
  int coveredMembers = 0;
  for (int m = 0; m < constraint.size; ++m) coveredMembers += covered[constraint.members[m]];
  accounted = std::min<int>(coveredMembers, constraint.radiated);
  int open = constraint.size - accounted;
  return open == 0 ? 0.0 : static_cast<double>(constraint.radiated - accounted) / open;
}

bool CountingPass(const TIsland& island, const ConstraintList& list, int32_t& result) {
  uint8_t covered[256] = {};
  for (int d = 1; d <= island.LastCell(); ++d) covered[d] = ClearedForSolver(island, d);
  int32_t total = 0;
  for (;;) {
    double best = 0.0;
    int accounted;
    for (int i = 0; i < list.count; ++i) best = std::max(best, Density(list.entries[i], covered, accounted));
    if (!(best > 0.0)) break;
    for (int i = 0; i < list.count; ++i) {
      const Constraint& constraint = list.entries[i];
      if (Density(constraint, covered, accounted) != best) continue;
      total += constraint.radiated - accounted;
      for (int m = 0; m < constraint.size; ++m) covered[constraint.members[m]] = 1;
    }
  }
  if (total != RadiatedTotal) return false;
  for (int d = 1; d <= island.LastCell(); ++d) {
    if (!covered[d] && !island.Cell(d).isSea) {
      result = d;
      return true;
    }
  }
  return false;
}

}  // namespace

bool AddConstraint(ConstraintList& list, Constraint constraint) {
  if (constraint.size < 1 || constraint.size > kConstraintMembers) return false;
  std::sort(constraint.members, constraint.members + constraint.size);
  std::fill(constraint.members + constraint.size, constraint.members + kConstraintMembers, 0);
  if (list.count >= kConstraintCapacity) return false;
  for (int i = 0; i < list.count; ++i) {
    if (SameConstraint(list.entries[i], constraint)) return false;
  }
  list.entries[list.count++] = constraint;
  return true;
}

int32_t FindSafeCell() {
  const TIsland& island = Island;
  int unknown = 0;
  for (int d = 1; d <= island.LastCell(); ++d) {
    if (!island.Cell(d).isSea && !island.Cell(d).KnownSafe()) ++unknown;
  }
  if (unknown == RadiatedTotal) return -1;

  CollectConstraints(island, g_constraints);
  int32_t result = 0;
  while (result == 0) {
    if (SubsetPass(g_constraints, result)) continue;
    if (CountingPass(island, g_constraints, result)) continue;
    result = -1;
  }
  return result < 0 ? result + 1 : result;
}

const ConstraintList& SolverConstraints() { return g_constraints; }
