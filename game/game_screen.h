// What the rules and map preparation need from the main game screen: its
// drawing, the screens it pushes over itself when a map ends, the screen
// transition and the sound events. The main screen implements it and sets
// GameScreenOutput; without one (tools, tests that do not care) nothing is
// shown or heard.
#pragma once

#include <string>

class GameScreen {
 public:
  virtual ~GameScreen() = default;

  virtual void PlaySound(int event) = 0;
  // Pointer image 1 (arrow) or 2 (busy, while a map is prepared).
  virtual void SelectPointer(int image) = 0;
  // Full: map and status layers; otherwise the status layer only.
  virtual void Redraw(bool full) = 0;
  // Draws the whole island picture of a new map into the screen's work surface.
  virtual void RenderIsland() = 0;
  virtual void RepaintCell(int cell) = 0;
  // The screen now shows a map (its first idle step no longer starts one).
  virtual void MarkMapLoaded() = 0;
  // Composes the map and status layers and hands the frame to the
  // transition, which then runs with the given effect and duration.
  virtual void PrepareTransition() = 0;
  virtual void PlayTransition(int effect, int milliseconds) = 0;

  virtual void PushFailScreen() = 0;
  virtual void PushFinishScreen() = 0;
  // Loads the new-record screen if needed, gives it its two text lines,
  // pushes it and resets the text weight to 400.
  virtual void PushNewRecordScreen(const std::string& line1, const std::string& line2) = 0;
};

extern GameScreen* GameScreenOutput;

// GameScreenOutput, or a screen that shows and plays nothing.
GameScreen& Screen();
