// The error message box: the text with the caption "Error" and an OK button.
// Without a display the text goes to standard error.
#pragma once

#include <string_view>

namespace platform {

void ShowErrorBox(std::string_view text);

}  // namespace platform
