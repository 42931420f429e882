// The user's folders the desktop keeps in known places.
#pragma once

#include <string>

namespace platform {

// The folder whose program groups the desktop's application menu shows:
// $XDG_DATA_HOME/applications, or ~/.local/share/applications when
// XDG_DATA_HOME is unset, empty or not an absolute path. Empty when it
// cannot be determined (no absolute HOME either). It may not exist yet.
std::string ProgramsFolder();

}  // namespace platform
