#include <unistd.h>

#include "install/program_group.h"
#include "install_fixture.h"

namespace {

using install::GroupCommand;

class ProgramGroupTest : public InstallTest {
 protected:
  void SetUp() override {
    InstallTest::SetUp();
    game = root / "game";
    WriteFile(game / "group" / "tervane.desktop", "[Desktop Entry]\n");
    WriteFile(game / "group" / "tervane.png", std::string(3000, '\x89'));
    WriteFile(game / "group" / "extra" / "notes.txt", "inside a subfolder");
  }
  int Run(GroupCommand command) { return install::RunGroupCommand(command, game.string()); }

  fs::path game;
};

// Guards against "-reg" copying only part of the group, leaving the group
// behind, or failing on an account whose menu folder does not exist yet.
TEST_F(ProgramGroupTest, RegisterMovesTheWholeGroupIntoTheMenuFolder) {
  ASSERT_FALSE(fs::exists(root / "data"));
  ASSERT_EQ(Run(GroupCommand::kRegister), 0);

  fs::path installed = root / "data" / "applications" / "Tervane";
  EXPECT_EQ(ReadFile(installed / "tervane.desktop"), "[Desktop Entry]\n");
  EXPECT_EQ(ReadFile(installed / "tervane.png"), std::string(3000, '\x89'));
  EXPECT_EQ(ReadFile(installed / "extra" / "notes.txt"), "inside a subfolder");
  EXPECT_FALSE(fs::exists(game / "group"));
  EXPECT_TRUE(fs::exists(game));
}

// Guards against "-unreg" deleting more than the first group it meets, or
// missing a group whose name differs in letter case.
TEST_F(ProgramGroupTest, UnregisterDeletesTheFirstGroupFoundThenTheNext) {
  fs::path programs = root / "data" / "applications";
  WriteFile(programs / "Games" / "Tervane" / "tervane.desktop", "x");
  WriteFile(programs / "Games" / "Tervane" / "sub" / "file", "y");
  fs::path later = FolderListedAfter(programs / "Games", "Other");
  ASSERT_FALSE(later.empty());
  WriteFile(later / "TERVANE" / "keep.desktop", "z");

  ASSERT_EQ(Run(GroupCommand::kUnregister), 0);
  EXPECT_FALSE(fs::exists(programs / "Games" / "Tervane"));
  EXPECT_TRUE(fs::exists(programs / "Games"));
  EXPECT_EQ(ReadFile(later / "TERVANE" / "keep.desktop"), "z");

  ASSERT_EQ(Run(GroupCommand::kUnregister), 0);
  EXPECT_FALSE(fs::exists(later / "TERVANE"));
  EXPECT_EQ(Run(GroupCommand::kUnregister), 0);  // nothing left to remove
  EXPECT_TRUE(fs::exists(later));
}

// Guards against the switches being recognised loosely: another letter
// case, extra arguments or other switches must start the game, after the
// start-up step has made the program directory current.
TEST_F(ProgramGroupTest, OnlyExactlyOneExactSwitchEndsTheProgram) {
  const char* reg[] = {"tervane", "-reg"};
  const char* unreg[] = {"tervane", "-unreg"};
  EXPECT_EQ(install::ReadGroupCommand(2, reg), GroupCommand::kRegister);
  EXPECT_EQ(install::ReadGroupCommand(2, unreg), GroupCommand::kUnregister);

  const char* upper[] = {"tervane", "-REG"};
  const char* two[] = {"tervane", "-reg", "-unreg"};
  const char* none[] = {"tervane"};
  const char* windowed[] = {"tervane", "--windowed"};
  fs::path before = fs::current_path();
  for (auto [argc, argv] : {std::pair{2, upper}, {3, two}, {1, none}, {2, windowed}}) {
    EXPECT_EQ(install::RunInstallStartupStep(argc, argv), std::nullopt) << argv[argc - 1];
    EXPECT_EQ(fs::current_path(), fs::read_symlink("/proc/self/exe").parent_path());
    fs::current_path(before);
  }
  EXPECT_TRUE(fs::exists(game / "group" / "tervane.desktop"));
  EXPECT_FALSE(fs::exists(root / "data"));
}

// Guards against working relative to the current or root folder when the
// menu folder cannot be determined, and against ignoring the fallback to
// HOME when XDG_DATA_HOME is not an absolute path.
TEST_F(ProgramGroupTest, UndeterminableMenuFolderDoesNothing) {
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  EXPECT_EQ(Run(GroupCommand::kRegister), 1);
  setenv("HOME", "home", 1);
  setenv("XDG_DATA_HOME", "data", 1);
  EXPECT_EQ(Run(GroupCommand::kRegister), 1);
  EXPECT_EQ(Run(GroupCommand::kUnregister), 1);
  EXPECT_TRUE(fs::exists(game / "group" / "extra" / "notes.txt"));
  EXPECT_TRUE(fs::is_empty(root / "home"));

  setenv("HOME", (root / "home").c_str(), 1);
  ASSERT_EQ(Run(GroupCommand::kRegister), 0);
  EXPECT_TRUE(fs::exists(root / "home" / ".local" / "share" / "applications" / "Tervane" / "tervane.desktop"));
}

// Guards against a menu folder path too long for the installer being cut
// short, or created before the refusal.
TEST_F(ProgramGroupTest, OverlongMenuFolderIsRefusedBeforeAnythingIsCreated) {
  fs::path data = root / std::string(250 - root.string().size(), 'd');
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  EXPECT_EQ(Run(GroupCommand::kRegister), 1);
  EXPECT_FALSE(fs::exists(data));
  EXPECT_TRUE(fs::exists(game / "group" / "tervane.desktop"));
}

}  // namespace
