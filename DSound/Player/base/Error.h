// Why the last call on this thread failed, in words. The exported functions
// report failure by their result only; the library's own tools and tests ask
// here for the reason.
#pragma once

// Records a reason (a string literal that lives for the whole run).
void SetLastFailure(const char* reason);

// The reason of the last failure on this thread, or "" when none was recorded.
const char* LastFailure();

void ClearLastFailure();
