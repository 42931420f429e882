#include "screens/map_type_names.h"

namespace {

constexpr std::string_view kMapTypeNames[kMapTypeNameCount] = {
    "Original  map",
    "Small  square  map (normal)",
    "Small  square  map (hard)",
    "Large  rounded  map",
    " ",
};

}  // namespace

std::string_view MapTypeName(int mapType) {
  if (mapType < 1 || mapType > kMapTypeNameCount) return {};
  return kMapTypeNames[mapType - 1];
}
