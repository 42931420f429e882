// Shared by the island model's tests: a temporary program directory, fatal
// exits and run-time errors turned into exceptions, a screen that records
// what the rules ask of it, and small island files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game_screen.h"
#include "game/grids.h"
#include "game/island.h"
#include "game/island_files.h"
#include "game/rle.h"
#include "game/island_fixtures.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/mainloop.h"

struct FatalExitCalled : std::runtime_error {
  using std::runtime_error::runtime_error;
};
struct RuntimeErrorRaised : std::runtime_error {
  int code;
  RuntimeErrorRaised(int c, const std::string& m) : std::runtime_error(m), code(c) {}
};

class RecordingScreen : public GameScreen {
 public:
  std::vector<std::string> calls;
  std::vector<int> sounds;
  std::string recordLine1, recordLine2;

  void PlaySound(int event) override {
    sounds.push_back(event);
    calls.push_back("sound " + std::to_string(event));
  }
  void SelectPointer(int image) override { calls.push_back("pointer " + std::to_string(image)); }
  void Redraw(bool full) override { calls.push_back(full ? "redraw" : "redraw status"); }
  void RenderIsland() override { calls.push_back("render island"); }
  void RepaintCell(int cell) override { calls.push_back("repaint " + std::to_string(cell)); }
  void MarkMapLoaded() override { calls.push_back("map loaded"); }
  void PrepareTransition() override { calls.push_back("prepare transition"); }
  void PlayTransition(int effect, int ms) override {
    calls.push_back("transition " + std::to_string(effect) + " " + std::to_string(ms));
  }
  void PushFailScreen() override { calls.push_back("push fail"); }
  void PushFinishScreen() override { calls.push_back("push finish"); }
  void PushNewRecordScreen(const std::string& line1, const std::string& line2) override {
    recordLine1 = line1;
    recordLine2 = line2;
    calls.push_back("push new record");
  }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  int SoundCount(int event) const {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), event));
  }
};

// Runs each test in a fresh, empty program directory with an "islands"
// folder, with fatal exits, run-time errors and the screen observed.
class GameDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    char pattern[] = "/tmp/tervane-game-XXXXXX";
    directory_ = mkdtemp(pattern);
    std::filesystem::current_path(directory_);
    std::filesystem::create_directory("islands");
    SetFatalExitHandler([](const std::string& message) { throw FatalExitCalled(message); });
    platform::SetRuntimeErrorHandler(
        [](int code, const std::string& message) { throw RuntimeErrorRaised(code, message); });
    GameScreenOutput = &screen;
  }
  void TearDown() override {
    GameScreenOutput = nullptr;
    SetFatalExitHandler(nullptr);
    platform::SetRuntimeErrorHandler(nullptr);
    platform::SetTickSource(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(directory_);
  }

  RecordingScreen screen;

 private:
  std::filesystem::path previous_;
  std::filesystem::path directory_;
};

