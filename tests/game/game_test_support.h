// Shared by the island model's tests: a scratch program directory, a screen
// that records what the rules ask of it, and small island files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/game_host.h"
#include "game/game_screen.h"
#include "game/grids.h"
#include "game/island.h"
#include "game/island_files.h"
#include "game/island_fixtures.h"
#include "game/rle.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/mainloop.h"
#include "support/program_stops.h"
#include "support/scratch_folder.h"

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
// folder, with the screen observed.
class GameDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory("islands");
    GameScreenOutput = &screen;
  }
  void TearDown() override {
    GameScreenOutput = nullptr;
    platform::SetTickSource(nullptr);
  }

  RecordingScreen screen;

 private:
  testing_support::ScratchFolder folder_;
};

