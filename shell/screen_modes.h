// The game's screen modes by role. The screens live above the shell, so the
// program entry hands their one object each to the start-up, which keeps the
// record here for the splash screen: it loads every mode and then switches
// to the main one. A role whose screen does not exist yet is empty.
#pragma once

#include <vector>

#include "shell/mode.h"

struct ScreenModes {
  tmode* message = nullptr;       // tMesMode
  tmode* newRecord = nullptr;     // tnewrecmode
  tmode* finish = nullptr;        // TFinMode
  tmode* help = nullptr;          // tHelpMode
  tmode* options = nullptr;       // TOptMode
  tmode* failure = nullptr;       // TFailMode
  tmode* scores = nullptr;        // tScoresMode
  tmode* mapSelection = nullptr;  // TSelMapMode
  tmode* main = nullptr;          // tMainMode
};

// The record the start-up was given.
extern ScreenModes GameScreenModes;

// The modes in the order the splash preloads them while time allows, and in
// the order it loads those still unloaded afterwards; empty roles are left out.
std::vector<tmode*> ModesInPreloadOrder(const ScreenModes& modes);
std::vector<tmode*> ModesInLoadOrder(const ScreenModes& modes);
