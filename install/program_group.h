// The program doubles as the installer of its menu entry: started with the
// single argument "-reg" it moves its "group" folder into the desktop's menu
// folder as "Tervane"; with "-unreg" it finds that folder again and deletes
// it. Either way it then ends without opening a window.
#pragma once

#include <optional>
#include <string>

namespace install {

constexpr char kGroupName[] = "Tervane";
constexpr char kGroupFolder[] = "group";

enum class GroupCommand { kNone, kRegister, kUnregister };

// Exactly one argument, "-reg" or "-unreg" as written (letter case counts);
// anything else is a normal start.
GroupCommand ReadGroupCommand(int argc, const char* const* argv);

// Carries out the command for the program in programDirectory and returns
// the process's exit status: 0 when it was done (or there was nothing to
// remove), 1 with a message on standard error when it failed or the menu
// folder cannot be determined, in which case nothing is touched.
int RunGroupCommand(GroupCommand command, const std::string& programDirectory);

// The start-up step of every start, before anything else: seeds the random
// generator, makes the program directory current (failing that is a
// run-time error) and carries out "-reg" or "-unreg". Returns the exit
// status when the program must end now, nothing when the game starts.
std::optional<int> RunInstallStartupStep(int argc, const char* const* argv);

}  // namespace install
