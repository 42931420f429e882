// Writes a module as an XM file (version 1.04: header, packed patterns,
// instruments with their sample headers and delta-coded sample data).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/xmwriter/xmmodule.h"

namespace xm {

// Refuses (invalid_argument, naming the fault) anything the format cannot
// hold or a player would misread: counts and ranges, orders naming missing
// patterns, cells naming missing instruments, envelopes out of order, loops
// outside their sample.
void CheckModule(const Module& module);

// CheckModule, then the file's bytes.
std::vector<uint8_t> WriteModule(const Module& module);

}  // namespace xm
