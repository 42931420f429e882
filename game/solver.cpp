#include "game/solver.h"

#include <algorithm>
#include <cstring>

namespace {

// Rebuilt on every call; kept here, with its indexes, so that a call
// allocates nothing.
ConstraintList g_constraints;

// Members of each listed constraint as a set of cell numbers 0..255.
struct MemberSet {
  uint64_t words[4];
};
MemberSet g_memberSets[kConstraintCapacity];

// Open-addressed index of the listed constraints, for refusing duplicates
// without scanning the list: slot values are list index + 1, 0 is empty.
constexpr uint32_t kIndexSlots = 32768;
uint16_t g_index[kIndexSlots];

// Subset-pass progress per constraint A: whether its own rules (all safe,
// all radiated) have been tried, and the next constraint B to try against
// it. A rule that found nothing finds nothing later either (the list only
// grows), so each pass resumes where the last one left every A; it reports
// exactly what a pass restarted from the first constraint would report.
bool g_ownRulesTried[kConstraintCapacity];
int32_t g_nextPart[kConstraintCapacity];

bool SameConstraint(const Constraint& a, const Constraint& b) {
  return a.size == b.size && a.radiated == b.radiated &&
         std::memcmp(a.members, b.members, a.size) == 0;
}

uint32_t IndexSlot(const Constraint& c) {
  uint32_t hash = 2166136261u;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&c);
  for (size_t i = 0; i < sizeof c; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  return hash & (kIndexSlots - 1);
}

void Normalise(Constraint& constraint) {
  std::sort(constraint.members, constraint.members + constraint.size);
  std::fill(constraint.members + constraint.size, constraint.members + kConstraintMembers, 0);
}

void ClearSolverList() {
  g_constraints.count = 0;
  std::memset(g_index, 0, sizeof g_index);
}

// AddConstraint for the solver's own list, keeping its indexes.
bool AddToSolverList(Constraint constraint) {
  if (constraint.size < 1 || constraint.size > kConstraintMembers) return false;
  Normalise(constraint);
  if (g_constraints.count >= kConstraintCapacity) return false;
  uint32_t slot = IndexSlot(constraint);
  while (g_index[slot] != 0) {
    if (SameConstraint(g_constraints.entries[g_index[slot] - 1], constraint)) return false;
    slot = (slot + 1) & (kIndexSlots - 1);
  }
  int32_t added = g_constraints.count++;
  g_constraints.entries[added] = constraint;
  g_index[slot] = static_cast<uint16_t>(added + 1);
  MemberSet& set = g_memberSets[added];
  set = {};
  for (int m = 0; m < constraint.size; ++m) set.words[constraint.members[m] >> 6] |= uint64_t{1} << (constraint.members[m] & 63);
  g_ownRulesTried[added] = false;
  g_nextPart[added] = 0;
  return true;
}

bool IsSubset(const MemberSet& part, const MemberSet& whole) {
  return ((part.words[0] & ~whole.words[0]) | (part.words[1] & ~whole.words[1]) |
          (part.words[2] & ~whole.words[2]) | (part.words[3] & ~whole.words[3])) == 0;
}

Constraint Difference(const Constraint& whole, const MemberSet& part, uint8_t partRadiated) {
  Constraint result = {};
  for (int w = 0; w < whole.size; ++w) {
    uint8_t member = whole.members[w];
    if ((part.words[member >> 6] >> (member & 63) & 1) == 0) result.members[result.size++] = member;
  }
  result.radiated = static_cast<uint8_t>(whole.radiated - partRadiated);
  return result;
}

// A cell the solver may assume holds no radiated area: explored and safe,
// or the sea, which can never be opened.
bool ClearedForSolver(const TIsland& island, int cell) {
  return island.Cell(cell).KnownSafe() || island.Cell(cell).isSea;
}

// One constraint per known-safe cell with unknown neighbours; a cell with
// more unknown neighbours than a constraint holds is left out.
void CollectConstraints(const TIsland& island) {
  ClearSolverList();
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
    AddToSolverList(constraint);
  }
}

// A constraint's own rules: no radiated area names its first member safe;
// all members radiated adds the one-cell constraint of its first member.
bool TryOwnRules(int a, int32_t& result) {
  const Constraint& whole = g_constraints.entries[a];
  if (whole.radiated == 0) {
    result = whole.members[0];
    return true;
  }
  g_ownRulesTried[a] = true;
  if (whole.size >= 2 && whole.radiated == whole.size) {
    Constraint first = {};
    first.size = 1;
    first.radiated = 1;
    first.members[0] = whole.members[0];
    return AddToSolverList(first);
  }
  return false;
}

bool SubsetPass(int32_t& result) {
  for (int a = 0; a < g_constraints.count; ++a) {
    if (!g_ownRulesTried[a] && TryOwnRules(a, result)) return true;
    const Constraint& whole = g_constraints.entries[a];
    const MemberSet& wholeSet = g_memberSets[a];
    while (g_nextPart[a] < g_constraints.count) {
      int b = g_nextPart[a]++;
      const Constraint& part = g_constraints.entries[b];
      // A part as large as the whole would leave nothing to derive.
      if (b == a || part.size >= whole.size || !IsSubset(g_memberSets[b], wholeSet)) continue;
      if (AddToSolverList(Difference(whole, g_memberSets[b], part.radiated))) return true;
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
  Normalise(constraint);
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

  CollectConstraints(island);
  int32_t result = 0;
  while (result == 0) {
    if (SubsetPass(result)) continue;
    if (CountingPass(island, g_constraints, result)) continue;
    result = -1;
  }
  return result < 0 ? result + 1 : result;
}

const ConstraintList& SolverConstraints() { return g_constraints; }
