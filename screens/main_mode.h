// The main game screen, tMainMode: the island, the menu, the two counters
// and the status line. It stays at the bottom of the mode stack; every other
// screen is pushed over it and comes back to it.
//
// What the other screens use of it: its one object (they switch back to it),
// its event that starts a new map, the two ticks at which a pause over it
// began (options and help share one, the scores screen has its own) and the
// resumption of the game clock when such a screen is left.
#pragma once

#include <cstdint>
#include <vector>

#include "screens/island_picture.h"
#include "screens/main_status_line.h"
#include "shell/mode.h"

// The main screen's button event that prepares a new map.
constexpr int kMainEventNewMap = 1;

// Ticks at which the options or help screen, and the scores screen, were
// opened over the main screen.
extern uint32_t OptionsHelpPauseTick;
extern uint32_t ScoresPauseTick;

// Leaves the time since pauseTick out of the game clock: while the clock
// runs (started and not ended), its start moves forward by that time.
void ResumeGameClock(uint32_t pauseTick);

class tMainMode final : public tmode {
 public:
  void MouseDown(int button, int x, int y) override;
  void MouseUp(int button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void KeyDown(int key) override;
  void ButtonPressed(int index) override;
  void Idle() override;
  // The map layer: the island picture with the hover hatch, the neighbour
  // highlight and the marks.
  void DrawBackground() override;
  // The status layer: the buttons, the status line and the counters.
  void Draw() override;
  void Load() override;
  void Redraw(bool full) override;

  // What map preparation and the rules ask of the screen.
  void RenderIsland();
  void RepaintCell(int cell);

  IslandArt art;
  SurfaceRef workSurface;  // the background with the island, digits included
  StatusLineCache statusLine;
  bool mapLoaded = false;     // set by the first new map
  int32_t secondsShown = -1;  // the seconds counter as drawn last
  // The neighbour highlight: the explored cell the right button is held
  // over, and the cells it darkens; and the cells darkened on the frame last.
  int highlightCell = 0;
  std::vector<int> highlight;
  std::vector<int> highlightDrawn;

 private:
  // The pointer over the island or the counters' panel.
  void HoverOverMap(int x, int y);
  void ClearHighlight();
};

// The main screen's one object.
extern tMainMode MainMode;
