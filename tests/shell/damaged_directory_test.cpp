// Starts the real game headless over copies of the program directory in
// which one data file at a time is truncated, scrambled or emptied. Each
// start must either play on (and quit cleanly when asked) or end with a
// message (the error report, a run-time error or the pack reader's lines);
// never with a signal, a hang, a silent exit or a sanitizer report.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/island_files.h"
#include "screens/options_file.h"
#include "screens/scores_file.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

extern char** environ;

namespace {

enum class Damage { kTruncated, kScrambled, kEmptied };
const char* const kDamageNames[] = {"truncated", "scrambled", "emptied"};

// Sanitizer builds take longer to load; a start that neither settles nor
// ends within this time hangs.
constexpr auto kStartLimit = std::chrono::seconds(90);
constexpr auto kQuitLimit = std::chrono::seconds(20);

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The files the game writes and reads again, in the state a player's
// earlier runs leave them.
void AddPlayersFiles(const fs::path& directory) {
  TScoreEntry table[kScoreBlocks][kScorePlaces];
  for (auto& block : table) std::copy(DefaultScores, DefaultScores + kScorePlaces, block);
  WriteBytes(directory / kScoresFile, std::string(reinterpret_cast<const char*>(table), sizeof table));
  WriteBytes(directory / kOptionsFile, std::string("\x01\x01\x01\x01", 4));
  std::string order;
  for (int i = 0; i < kIslandsPerArchive; ++i) order += static_cast<char>((i * 37) % kIslandsPerArchive);
  fs::create_directories(directory / "islands");
  WriteBytes(directory / "islands" / "islands.use", order);
  WriteBytes(directory / "islands" / "islands.cur", std::string("\x05\x00\x00\x00", 4));
}

bool IsWrittenByTheGame(const fs::path& relative) {
  static const char* const written[] = {kScoresFile, kOptionsFile, "islands/islands.use", "islands/islands.cur"};
  for (const char* name : written) {
    if (relative == name) return true;
  }
  return false;
}

// Every data file of the program directory: not the program, the library or
// the desktop entry's files, which the game does not read.
std::vector<fs::path> DataFiles(const fs::path& base) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(base)) {
    fs::path relative = fs::relative(entry.path(), base);
    std::string first = relative.begin()->string();
    if (!entry.is_regular_file() || first == "group" || first == "tervane" || first == "libquelt.so" ||
        first == "tervane.png")
      continue;
    files.push_back(relative);
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Damaged(const std::string& bytes, Damage damage) {
  switch (damage) {
    case Damage::kTruncated: return bytes.substr(0, bytes.size() / 2);
    case Damage::kEmptied: return {};
    case Damage::kScrambled: break;
  }
  // Every 13th byte from byte 11 on: headers, tables and data alike, while
  // the first bytes (most formats' identifying marks) stay.
  std::string scrambled = bytes;
  for (size_t i = 11; i < scrambled.size(); i += 13) scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
  return scrambled;
}

// A copy of the base directory sharing its files through hard links, except
// the files the game writes, which are copies of their own.
void LinkCopy(const fs::path& base, const fs::path& copy) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(base)) {
    fs::path target = copy / fs::relative(entry.path(), base);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else if (IsWrittenByTheGame(fs::relative(entry.path(), base))) {
      fs::copy_file(entry.path(), target);
    } else {
      fs::create_hard_link(entry.path(), target);
    }
  }
}

struct StartResult {
  bool settled = false;   // still running once loading was over
  bool hung = false;
  int status = -1;        // exit status, or -1 after a signal
  int signal = 0;
  std::string output, errors, report;
};

// The main thread is waiting for input (or for the next frame) in nearly
// every sample of the last half second: loading is over.
bool MainThreadIdle(pid_t pid, std::vector<char>& history) {
  std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
  size_t close = stat.rfind(')');
  if (close == std::string::npos || close + 2 >= stat.size()) return false;
  history.push_back(stat[close + 2]);
  if (history.size() < 20) return false;
  int sleeping = 0;
  for (size_t i = history.size() - 20; i < history.size(); ++i) sleeping += history[i] == 'S';
  return sleeping >= 18;
}

bool WaitForExit(pid_t pid, Clock::time_point until, int& status) {
  while (Clock::now() < until) {
    if (waitpid(pid, &status, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

StartResult StartGame(const fs::path& directory) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (directory / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (directory / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string program = (directory / "tervane").string();
  char* arguments[] = {program.data(), nullptr};
  pid_t pid = 0;
  StartResult result;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    result.errors = "cannot start: " + std::string(std::strerror(spawned));
    return result;
  }
  int status = 0;
  bool ended = false;
  std::vector<char> history;
  for (Clock::time_point limit = Clock::now() + kStartLimit; !ended && Clock::now() < limit;) {
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended && MainThreadIdle(pid, history)) {
      result.settled = true;
      kill(pid, SIGTERM);  // the window system's close request
      ended = WaitForExit(pid, Clock::now() + kQuitLimit, status);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (!ended) {
    result.hung = true;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  result.output = ReadText(directory / "stdout.txt");
  result.errors = ReadText(directory / "stderr.txt");
  result.report = ReadText(directory / "Error.rep");
  return result;
}

// What is wrong with a start, or empty.
std::string Fault(const StartResult& result) {
  for (const char* marker : {"Sanitizer", ": runtime error:"}) {
    if (result.errors.find(marker) != std::string::npos) return "sanitizer report";
  }
  if (result.hung) return result.settled ? "did not quit when asked" : "hang";
  if (result.signal != 0) return "signal " + std::to_string(result.signal);
  if (result.settled) return result.status == 0 ? "" : "quit with status " + std::to_string(result.status);
  if (result.status == 0) return "ended silently";
  if (result.report.empty() && result.errors.empty() && result.output.empty()) return "ended without a message";
  return "";
}

class DamagedDirectoryTest : public testing::Test {
 protected:
  void SetUp() override {
    game_ = TERVANE_GAME_DIR;
    if (!fs::exists(game_ / "sounds.dat")) GTEST_SKIP() << "the program directory's data files were not built";
    base_ = fs::current_path() / "base";
    fs::copy(game_, base_, fs::copy_options::recursive);
    fs::remove_all(base_ / "group");
    fs::remove(base_ / "Error.rep");
    AddPlayersFiles(base_);
  }

  fs::path game_, base_;
};

// Guards against a damaged data file that crashes the game, hangs it, lets
// it write out of bounds or end without saying why.
TEST_F(DamagedDirectoryTest, EveryDataFileDamagedInTurn) {
  // The undamaged directory plays on.
  fs::path clean = fs::current_path() / "clean";
  LinkCopy(base_, clean);
  StartResult undamaged = StartGame(clean);
  ASSERT_TRUE(undamaged.settled && Fault(undamaged).empty()) << undamaged.errors << undamaged.report;
  fs::remove_all(clean);

  int starts = 0, playedOn = 0;
  for (const fs::path& file : DataFiles(base_)) {
    const std::string original = ReadText(base_ / file);
    for (Damage damage : {Damage::kTruncated, Damage::kScrambled, Damage::kEmptied}) {
      fs::path copy = fs::current_path() / "start";
      fs::remove_all(copy);
      LinkCopy(base_, copy);
      fs::remove(copy / file);
      WriteBytes(copy / file, Damaged(original, damage));
      StartResult result = StartGame(copy);
      ++starts;
      playedOn += result.settled;
      EXPECT_EQ(Fault(result), "") << file << " " << kDamageNames[static_cast<int>(damage)] << "\nstatus "
                                   << result.status << "\nstderr: " << result.errors
                                   << "\nError.rep: " << result.report;
    }
  }
  std::printf("%d damaged starts, %d played on\n", starts, playedOn);
  RecordProperty("damaged_starts", starts);
}

}  // namespace
