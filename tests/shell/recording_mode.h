// A mode that records what the shell calls on it, for tests of input
// delivery and of the mode stack.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/mainloop.h"
#include "shell/mode.h"

class RecordingMode : public tmode {
 public:
  explicit RecordingMode(std::string name = "Test") {
    ModeName = std::move(name);
    loaded = true;  // nothing to load from disk
  }

  void MouseDown(int button, int x, int y) override {
    Record("down " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    if (onEvent) onEvent();
  }
  void MouseUp(int button, int x, int y) override {
    Record("up " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    if (onEvent) onEvent();
  }
  void MouseMove(int x, int y) override {
    Record("move " + std::to_string(x) + "," + std::to_string(y));
    if (onEvent) onEvent();
  }
  void KeyDown(int key) override {
    Record("key " + std::to_string(key));
    if (onEvent) onEvent();
  }
  void Idle() override { ++idleCalls; }
  void Enter() override {
    LeftButtonHeld = RightButtonHeld = LeftDownSeen = false;  // as the base Enter does
    Record("enter " + ModeName);
    ++enterCalls;
  }
  void Load() override {
    ++loadCalls;
    loaded = true;
  }
  void Redraw(bool full) override { Record(full ? "redraw full" : "redraw"); }

  void Record(const std::string& what) { calls.push_back(what); }

  std::vector<std::string> calls;
  std::function<void()> onEvent;
  int idleCalls = 0;
  int enterCalls = 0;
  int loadCalls = 0;
};
