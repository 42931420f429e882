#include "install/program_group.h"

#include <cstdio>
#include <cstring>

#include "install/tree_operations.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/random.h"
#include "platform/shell_folders.h"

namespace install {
namespace {

int Report(const std::string& message, int status) {
  std::fprintf(stderr, "Tervane: %s\n", message.c_str());
  return status;
}

int Register(const std::string& programDirectory, const std::string& programsFolder) {
  std::string group = programDirectory + "/" + kGroupFolder;
  std::string target = programsFolder + "/" + kGroupName;
  for (const std::string& path : {group, target}) {
    if (path.size() > kMaxPathLength) return Report("the path " + path + " is longer than 255 characters", 1);
  }
  // A new account may not have a menu folder yet.
  if (!platform::CreateFolderWithParents(programsFolder) || !MoveTree(group, target)) {
    return Report("could not move the program group " + group + " to " + target, 1);
  }
  return 0;
}

int Unregister(const std::string& programsFolder) {
  std::string found = FindFolder(kGroupName, programsFolder);
  if (found.empty()) return Report("no program group to remove in " + programsFolder, 0);
  if (!DeleteTree(found)) return Report("could not delete the program group " + found, 1);
  return 0;
}

}  // namespace

GroupCommand ReadGroupCommand(int argc, const char* const* argv) {
  if (argc != 2) return GroupCommand::kNone;
  if (std::strcmp(argv[1], "-reg") == 0) return GroupCommand::kRegister;
  if (std::strcmp(argv[1], "-unreg") == 0) return GroupCommand::kUnregister;
  return GroupCommand::kNone;
}

int RunGroupCommand(GroupCommand command, const std::string& programDirectory) {
  if (command == GroupCommand::kNone) return 0;
  std::string programsFolder = platform::ProgramsFolder();
  if (programsFolder.empty()) {
    return Report("the menu folder cannot be determined: neither XDG_DATA_HOME nor HOME is an absolute path", 1);
  }
  if (command == GroupCommand::kRegister) return Register(programDirectory, programsFolder);
  return Unregister(programsFolder);
}

std::optional<int> RunInstallStartupStep(int argc, const char* const* argv) {
  platform::Randomize();
  std::string programDirectory = platform::ProgramDirectory();
  if (!platform::ChangeToProgramDirectory()) {
    platform::RuntimeError(platform::kPathNotFound, "cannot enter the program directory", programDirectory);
  }
  GroupCommand command = ReadGroupCommand(argc, argv);
  if (command == GroupCommand::kNone) return std::nullopt;
  return RunGroupCommand(command, programDirectory);
}

}  // namespace install
