// The best-scores screen: the ten best times of the map type in play, the
// new record (if one was just made) highlighted with a tick mark; Reset
// restores the map type's default times, Back returns to the main screen
// without counting the time spent here.
#pragma once

#include "shell/mode.h"

class tScoresMode : public tmode {
 public:
  void ButtonPressed(int index) override;
  void Draw() override;
  void Load() override;
};

extern tScoresMode ScoresScreen;
