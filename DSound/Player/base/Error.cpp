#include "base/Error.h"

namespace {
thread_local const char* lastFailure = "";
}  // namespace

void SetLastFailure(const char* reason) { lastFailure = reason != nullptr ? reason : ""; }

const char* LastFailure() { return lastFailure; }

void ClearLastFailure() { lastFailure = ""; }
