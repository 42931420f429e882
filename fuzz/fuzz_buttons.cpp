// A screen's "buttons.inf" read the way a mode loads its buttons: the count,
// then six numbers per button, the rest of each line skipped. Malformed text
// ends in the run-time error; a count never leads past the mode's buttons.
#include <cstddef>
#include <cstdint>

#include "file_harness.h"
#include "shell/buttons_file.h"
#include "shell/mode.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterScratchFolder("fuzz-buttons", {"Main"});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::WriteInput("Main\\buttons.inf", data, size);
  static tbutton buttons[kMaxButtons + 1];
  try {
    platform::TextNumberReader reader;
    reader.Open("Main\\buttons.inf");
    int count = ReadButtonCount(reader);
    fuzzing::Require(count >= 0 && count <= kMaxButtons);
    for (int n = 1; n <= count; ++n) ReadButtonLine(reader, buttons[n]);
  } catch (const fuzzing::RuntimeFailure&) {
  }
  return 0;
}
