// Writes a module as an XM file (version 1.04: header, packed patterns,
// instruments with their sample headers and delta-coded sample data).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/xmwriter/xmcheck.h"
#include "tools/xmwriter/xmmodule.h"

namespace xm {

// CheckModule, then the file's bytes.
std::vector<uint8_t> WriteModule(const Module& module);

}  // namespace xm
