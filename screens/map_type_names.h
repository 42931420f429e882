// The names of the map types, 1 to 4, as the map selection and best-scores
// screens show them; 5 (a block of the best scores no map uses) is a single
// space.
#pragma once

#include <string_view>

constexpr int kMapTypeNameCount = 5;

// The name of a map type 1..5; the empty text for any other number.
std::string_view MapTypeName(int mapType);
