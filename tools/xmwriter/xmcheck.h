// The checks a module passes before it is written.
#pragma once

#include "tools/xmwriter/xmmodule.h"

namespace xm {

// Refuses (invalid_argument, naming the fault) anything the format cannot
// hold or a player would misread: counts and ranges, orders naming missing
// patterns, cells naming missing instruments, envelopes out of order, loops
// outside their sample.
void CheckModule(const Module& module);

}  // namespace xm
