// Starts the real game over copies of the program directory in which one
// data file at a time is truncated, scrambled or emptied. Each start must
// either play on (and quit cleanly when asked) or end with a message (the
// error report, a run-time error or the pack reader's lines); never with a
// signal, a hang, a silent exit or a sanitizer report. Where an X server can
// start, each start runs in a window of its own X server and is driven past
// the splash screen into a first map with a click, so that the files read
// there are damaged too; elsewhere the starts run headless up to the splash
// screen's prompt.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/island_files.h"
#include "game/options_file.h"
#include "game/scores_file.h"
#include "support/run_command.h"

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
// Loading opens file after file; this long without one, it is over. The
// undamaged start, which tells which files the game reads, waits longer.
constexpr auto kQuietTime = std::chrono::milliseconds(1000);
constexpr auto kCleanQuietTime = std::chrono::milliseconds(3000);
// Clicks on the splash screen's prompt before a start counts as staying there.
constexpr int kMostClicks = 3;

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

// The data files among those the game opened: not the program and its
// library, nor the files that only the damaged starts write.
std::vector<fs::path> DataFiles(const std::set<fs::path>& opened, const fs::path& base) {
  std::vector<fs::path> files;
  for (const fs::path& file : opened) {
    if (file != "tervane" && file != "libquelt.so" && fs::is_regular_file(base / file)) files.push_back(file);
  }
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
  fs::create_directories(copy);
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

// An X server of the test's own (Xvfb, 1024 x 768 x 16) on which starts run
// in a window and are driven with xdotool, as the real-window tests drive
// the game. Usable() is false where none can start.
class XServer {
 public:
  explicit XServer(int number) : name_(":" + std::to_string(120 + number * 40 + getpid() % 40)) {
    if (testing_support::RunCommand("command -v Xvfb xdotool > /dev/null").status != 0) return;
    std::string program = "Xvfb";
    std::string screen = "1024x768x16";
    char* arguments[] = {program.data(), name_.data(), const_cast<char*>("-screen"), const_cast<char*>("0"),
                         screen.data(), const_cast<char*>("-nolisten"), const_cast<char*>("tcp"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const bool spawned = posix_spawnp(&server_, program.c_str(), &actions, nullptr, arguments, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned) server_ = 0;
    for (int attempt = 0; server_ != 0 && attempt < 100 && !usable_; ++attempt) {
      usable_ = Xdotool("getmouselocation");
      if (!usable_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  ~XServer() {
    if (server_ == 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
  }
  bool Usable() const { return usable_; }
  const std::string& Name() const { return name_; }
  // What a player does on the splash screen's prompt: a click in the window.
  void Click() const { Xdotool("mousemove --sync 400 300 click 1"); }

 private:
  bool Xdotool(const std::string& arguments) const {
    return testing_support::RunCommand("DISPLAY=" + name_ + " xdotool " + arguments + " > /dev/null 2>&1").status == 0;
  }

  std::string name_;
  pid_t server_ = 0;
  bool usable_ = false;
};

// The environment of a start: headless, or in a window on the X server.
std::vector<std::string> GameEnvironment(const XServer* x) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string text = *variable;
    if (x != nullptr && (text.rfind("SDL_VIDEODRIVER=", 0) == 0 || text.rfind("DISPLAY=", 0) == 0)) continue;
    variables.push_back(text);
  }
  if (x != nullptr) {
    variables.push_back("DISPLAY=" + x->Name());
    variables.push_back("TERVANE_WINDOWED=1");
  }
  return variables;
}

struct StartResult {
  bool settled = false;   // still running once loading was over
  bool drivenIntoMap = false;  // a click on the splash screen led to more files read
  bool hung = false;
  int status = -1;        // exit status, or -1 after a signal
  int signal = 0;
  std::string output, errors, report;
  std::set<fs::path> opened;  // the files of the directory the game opened
};

// Watches the files of a program directory being opened: which ones, and
// whether loading is over (none opened for a while).
class FileActivity {
 public:
  explicit FileActivity(const fs::path& directory) : descriptor_(inotify_init1(IN_NONBLOCK)) {
    folders_[inotify_add_watch(descriptor_, directory.c_str(), IN_OPEN)] = "";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(directory)) {
      if (entry.is_directory())
        folders_[inotify_add_watch(descriptor_, entry.path().c_str(), IN_OPEN)] = fs::relative(entry.path(), directory);
    }
  }
  ~FileActivity() { close(descriptor_); }

  // True once files were opened and then none for the quiet time.
  bool Quiet(Clock::duration quietTime) {
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = read(descriptor_, events, sizeof events)) > 0;) {
      last_ = Clock::now();
      for (ssize_t at = 0; at < got;) {
        const inotify_event* event = reinterpret_cast<const inotify_event*>(events + at);
        if (event->len > 0) opened_.insert(folders_[event->wd] / event->name);
        ++opens_;
        at += sizeof(inotify_event) + event->len;
      }
    }
    return last_ != Clock::time_point() && Clock::now() - last_ >= quietTime;
  }
  // Quiet again only once the quiet time has passed from now.
  void Restart() { last_ = Clock::now(); }
  const std::set<fs::path>& Opened() const { return opened_; }
  size_t Opens() const { return opens_; }

 private:
  int descriptor_;
  std::map<int, fs::path> folders_;
  std::set<fs::path> opened_;
  size_t opens_ = 0;
  Clock::time_point last_;
};

bool WaitForExit(pid_t pid, Clock::time_point until, int& status) {
  while (Clock::now() < until) {
    if (waitpid(pid, &status, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

StartResult StartGame(const fs::path& directory, const XServer* x, Clock::duration quietTime = kQuietTime) {
  FileActivity activity(directory);
  std::vector<std::string> variables = GameEnvironment(x);
  std::vector<char*> environment;
  for (std::string& variable : variables) environment.push_back(variable.data());
  environment.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (directory / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (directory / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string program = (directory / "tervane").string();
  char* arguments[] = {program.data(), nullptr};
  pid_t pid = 0;
  StartResult result;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, arguments, environment.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    result.errors = "cannot start: " + std::string(std::strerror(spawned));
    return result;
  }
  int status = 0;
  bool ended = false;
  // Once loading is quiet, clicks on the splash screen's prompt until one
  // leads to more files being read (the first map's): a click while the
  // splash screen still loads goes unheard, and a pause in loading may look
  // like its end.
  int clicks = 0;
  size_t opensAtClick = 0;
  for (Clock::time_point limit = Clock::now() + kStartLimit; !ended && Clock::now() < limit;) {
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended && activity.Quiet(quietTime)) {
      const bool clickHeard = clicks > 0 && activity.Opens() > opensAtClick;
      result.drivenIntoMap = result.drivenIntoMap || clickHeard;
      if (x == nullptr || clickHeard || clicks == kMostClicks) {
        result.settled = true;
        kill(pid, SIGTERM);  // the window system's close request
        ended = WaitForExit(pid, Clock::now() + kQuitLimit, status);
        break;
      }
      opensAtClick = activity.Opens();
      x->Click();
      ++clicks;
      activity.Restart();
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
  activity.Quiet(kQuietTime);
  result.opened = activity.Opened();
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

struct Start {
  fs::path file;
  Damage damage;
};

// Every damage of every file, except that files of one name in several
// folders (each screen's pack and layout files, read by the same code) take
// the damages in turn after the first of them has had all three.
std::vector<Start> ChooseStarts(const std::vector<fs::path>& files) {
  const Damage damages[] = {Damage::kTruncated, Damage::kScrambled, Damage::kEmptied};
  std::map<fs::path, int> seen;
  std::vector<Start> starts;
  for (const fs::path& file : files) {
    const int earlier = seen[file.filename()]++;
    if (earlier == 0) {
      for (Damage damage : damages) starts.push_back({file, damage});
    } else {
      starts.push_back({file, damages[earlier % 3]});
    }
  }
  return starts;
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
TEST_F(DamagedDirectoryTest, EveryFileTheGameReadsDamagedInTurn) {
  // The undamaged directory plays on, and tells which files the game reads.
  fs::path clean = fs::current_path() / "clean";
  LinkCopy(base_, clean);
  XServer firstServer(1), secondServer(2);
  const bool driven = firstServer.Usable() && secondServer.Usable();
  const XServer* servers[] = {nullptr, driven ? &firstServer : nullptr, driven ? &secondServer : nullptr};
  StartResult undamaged = StartGame(clean, servers[1], kCleanQuietTime);
  ASSERT_TRUE(undamaged.settled && Fault(undamaged).empty()) << undamaged.errors << undamaged.report;
  ASSERT_EQ(undamaged.drivenIntoMap, driven) << "the undamaged start was not driven past the splash screen";
  std::vector<fs::path> files = DataFiles(undamaged.opened, base_);
  ASSERT_FALSE(files.empty());

  std::vector<Start> starts = ChooseStarts(files);
  // Two starts at a time, each in a directory of its own.
  std::mutex taking;
  size_t next = 0;
  int playedOn = 0, intoMap = 0;
  auto worker = [&](int number) {
    fs::path copy = fs::current_path() / ("start" + std::to_string(number));
    for (;;) {
      Start start;
      {
        std::lock_guard<std::mutex> lock(taking);
        if (next == starts.size()) return;
        start = starts[next++];
      }
      fs::remove_all(copy);
      LinkCopy(base_, copy);
      fs::remove(copy / start.file);
      WriteBytes(copy / start.file, Damaged(ReadText(base_ / start.file), start.damage));
      StartResult result = StartGame(copy, servers[number]);
      std::lock_guard<std::mutex> lock(taking);
      playedOn += result.settled;
      intoMap += result.drivenIntoMap;
      EXPECT_EQ(Fault(result), "") << start.file << " " << kDamageNames[static_cast<int>(start.damage)]
                                   << "\nstatus " << result.status << "\nstderr: " << result.errors
                                   << "\nError.rep: " << result.report;
    }
  };
  std::thread second(worker, 2);
  worker(1);
  second.join();
  std::printf("%zu files read, %zu damaged starts (%s), %d played on, %d of them into a first map\n", files.size(),
              starts.size(), driven ? "driven on an X server" : "headless, no X server", playedOn, intoMap);
  RecordProperty("damaged_starts", static_cast<int>(starts.size()));
}

}  // namespace
