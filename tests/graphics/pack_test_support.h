// Shared by the pack, image and font tests: a scratch program directory
// (the one scratch fixture of tests/support) and text as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/packs/reader.h"
#include "support/program_stops.h"
#include "support/scratch_folder.h"

inline std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }
