// The hint solver: from what the player can see (explored cells and their
// digits, never the marks) names an unexplored cell that cannot hide a
// radiated area.
#pragma once

#include <cstdint>

#include "game/island.h"

constexpr int kConstraintMembers = 10;
constexpr int kConstraintCapacity = 10000;

#pragma pack(push, 1)
// `radiated` of the first `size` members (ascending; the rest 0) are radiated.
struct Constraint {
  uint8_t size;
  uint8_t radiated;
  uint8_t members[kConstraintMembers];
};
#pragma pack(pop)
static_assert(sizeof(Constraint) == 12, "Constraint is 12 bytes");

struct ConstraintList {
  int32_t count;
  Constraint entries[kConstraintCapacity];
};

// Sorts the members, then appends the constraint unless the same one is
// already listed or the list is full. Returns whether it was added.
bool AddConstraint(ConstraintList& list, Constraint constraint);

// A cell number that is certainly safe; 0 when nothing can be deduced; -1
// when every safe cell of the island is already explored. Reads the global
// Island and RadiatedTotal; allocates nothing.
int32_t FindSafeCell();

// The list as the last call left it (for inspection by tests and tools).
const ConstraintList& SolverConstraints();
