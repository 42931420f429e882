// The order in which islands are played: a permutation of the archive fixed
// once per installation ("islands.use") and a counter advanced by every new
// map ("islands.cur").
#pragma once

#include <cstdint>

constexpr char kIslandOrderFile[] = "islands\\islands.use";
constexpr char kIslandCounterFile[] = "islands\\islands.cur";

// Advances the rotation (play order and counter files, both created when
// missing) and returns the permutation entry the counter now selects.
int32_t ChooseIslandNumber();
