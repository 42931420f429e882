// The main screen as the island model sees it (game/game_screen.h): what
// map preparation and the rules draw, play and push go to the main screen,
// the game's sound and the screens pushed over the main screen.
#pragma once

#include "game/game_screen.h"

// Makes the main screen the model's screen.
void ConnectMainScreenToGame();

// The screen object itself (tests call it as the rules would).
GameScreen& MainGameScreen();
