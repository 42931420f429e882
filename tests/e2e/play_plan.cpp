// Works out, with the game's own model, how to play a whole game in the real
// window: it replays the map preparation of the seed the game is started
// with (TERVANE_RANDOM_SEED) and prints the plan that tests/e2e/play_game.sh
// carries out with X input, one step a line:
//   click X Y    a left click at a point of the 800 x 600 screen
//   key NAME     a key, by its X name        type TEXT   typed text
//   settle       wait until the screen stands still
//   ready X Y BX BY  wait until a new map is ready: the status line answers
//                the pointer over a hidden cell (X, Y) and a button (BX, BY)
//   wait S       seconds                     shot NAME   a screenshot
//   mark NAME    the time now, kept in NAME  quit        wait for the end
// It runs in a fresh copy of the program directory (the island rotation
// files it writes must start as the game's do) and writes there the
// best-scores file the game starts with: the default times, except that map
// types 1, 3 and 4 hold times of 1 second, which no win can beat, so that
// their wins end on the finish screen and only the map of type 2 makes a
// record.
//   tervane-play-plan SEED > plan
// With --first-map it prints instead two points of the first map (type 1,
// radiated areas fatal) and writes nothing: a hidden safe cell that shows a
// digit when opened (one effect, no cascade) and a hidden radiated cell.
//   tervane-play-plan --first-map SEED   ->   safe X Y / radiated X Y
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/island.h"
#include "game/map_start.h"
#include "game/options_file.h"
#include "game/rules.h"
#include "game/scores_file.h"
#include "game/view.h"
#include "platform/files.h"
#include "platform/random.h"
#include "screens/window_size.h"
#include "screens/windowed_mode.h"
#include "shell/buttons_file.h"

namespace {

struct Point {
  int x = 0;
  int y = 0;
};

void Step(const std::string& text) { std::printf("%s\n", text.c_str()); }
void Click(Point point) { Step("click " + std::to_string(point.x) + " " + std::to_string(point.y)); }

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "tervane-play-plan: %s\n", why.c_str());
  std::exit(1);
}

// The centre of a button of a screen, as the game places the screen: framed
// screens by their size file (the message box does not take part here).
Point ButtonCentre(const std::string& screen, int index, bool framed) {
  Point origin;
  if (framed) {
    const WindowPlace place = PlaceWindow(ReadWindowSize(screen + "\\size.inf"));
    origin = {place.x, place.y};
  }
  platform::TextNumberReader reader;
  reader.Open(screen + "\\buttons.inf");
  const int count = ReadButtonCount(reader);
  if (index > count) Fail(screen + " has no button " + std::to_string(index));
  tbutton button;
  for (int n = 1; n <= index; ++n) ReadButtonLine(reader, button);
  return {origin.x + button.X + button.Width / 2, origin.y + button.Y + button.Height / 2};
}

Point MainButton(int index) { return ButtonCentre("Main", index, false); }

// Whether the view pixels within `radius` of (row, column), 1-based, all
// belong to the cell and none is a border line.
bool InsideCell(int cell, int row, int column, int radius) {
  for (int r = row - radius; r <= row + radius; ++r) {
    for (int c = column - radius; c <= column + radius; ++c) {
      if (r < 1 || c < 1 || r > kViewSize || c > kViewSize) return false;
      if (ViewCellGrid[r - 1][c - 1] != cell || ViewStateGrid[r - 1][c - 1] == kCodeBorderLine) return false;
    }
  }
  return true;
}

// A point of the screen well inside a cell: of the view pixels deepest
// inside it, the one nearest its centre; the screen shows view pixel
// (R, C) at (OffsetX + C, OffsetY + R - 1).
Point CellPoint(int cell) {
  const TIslandCell& record = Island.Cell(cell);
  for (int radius = 3; radius >= 0; --radius) {
    long best = -1;
    Point point;
    for (int row = 2; row < kViewSize; ++row) {
      for (int column = 2; column < kViewSize; ++column) {
        if (!InsideCell(cell, row, column, radius)) continue;
        const long dr = row - 2L * record.rowCentre, dc = column - 2L * record.colCentre;
        if (best >= 0 && dr * dr + dc * dc >= best) continue;
        best = dr * dr + dc * dc;
        point = {OffsetX + column, OffsetY + row - 1};
      }
    }
    if (best >= 0) return point;
  }
  Fail("cell " + std::to_string(cell) + " shows no pixel");
}

bool Playable(const TIslandCell& cell) { return cell.isLand != 0 && cell.isSea == 0 && cell.isExplored == 0; }

// The first hidden cell for which `wanted` holds.
template <typename Wanted>
int FirstHiddenCell(Wanted wanted) {
  for (int cell = 1; cell <= Island.LastCell(); ++cell) {
    if (Playable(Island.Cell(cell)) && wanted(Island.Cell(cell))) return cell;
  }
  return 0;
}

// Prepares the next map as the game does, with the map type in the options.
void PrepareMap(int mapType) {
  GameOptions.mapType = static_cast<uint8_t>(mapType);
  StartNewMap(Island);
  if (Island.active == 0) Fail("map " + std::to_string(mapType) + " did not start");
}

// Prepares the next map and waits in the plan until the game has prepared
// it too: the game drops the input queued while it prepares a map, and a
// screen that stands still does not say that it is done.
void NextMap(int mapType) {
  PrepareMap(mapType);
  const int cell = FirstHiddenCell([](const TIslandCell&) { return true; });
  if (cell == 0) Fail("map " + std::to_string(mapType) + " has no hidden cell");
  const Point hidden = CellPoint(cell), button = MainButton(1);
  Step("ready " + std::to_string(hidden.x) + " " + std::to_string(hidden.y) + " " + std::to_string(button.x) + " " +
       std::to_string(button.y));
}

// Clicks a radiated cell that is still hidden (and opens it in the model).
bool Radiated(const TIslandCell& cell) { return cell.isRadiated != 0; }

void StepOnRadiation() {
  const int cell = FirstHiddenCell(Radiated);
  if (cell == 0) Fail("no hidden radiated area");
  Click(CellPoint(cell));
  OpenCell(Island, cell);
}

// Clicks every safe cell that the openings before it left hidden, until the
// map is won; a screenshot halfway when `halfway` names one.
void PlayToWin(const std::string& halfway = "") {
  std::vector<int> safe;
  for (int cell = 1; cell <= Island.LastCell(); ++cell) {
    if (Playable(Island.Cell(cell)) && Island.Cell(cell).isRadiated == 0) safe.push_back(cell);
  }
  size_t clicks = 0;
  for (int cell : safe) {
    if (Island.Cell(cell).isExplored != 0) continue;
    Click(CellPoint(cell));
    OpenCell(Island, cell);
    if (!halfway.empty() && ++clicks == safe.size() / 4) {
      Step("wait 1");
      Step("shot " + halfway);
    }
  }
  if (Island.active != 0) Fail("the map is not won after every safe cell");
}

// The best scores the game starts with (see the top of the file).
void WriteStartingScores() {
  LoadScores();  // the defaults: the fresh copy has no file
  for (int mapType : {1, 3, 4}) {
    for (TScoreEntry& entry : ScoreTable[mapType - 1]) entry.seconds = 1;
  }
  SaveScores();
}

// Shows the map selection screen and picks a type with its hot key (the
// digit) and closes it with Esc, which prepares a map of that type.
void SelectMapType(int mapType, const std::string& shot = "") {
  Click(MainButton(8));
  Step("settle");
  Step("key " + std::to_string(mapType));
  Step("settle");
  if (!shot.empty()) Step("shot " + shot);
  Step("key Escape");
  NextMap(mapType);
  Step("settle");
}

// After a map has ended: the end-of-map screen's shot, then back to the map.
void BackToTheMap(const std::string& screen, const std::string& shot) {
  Step("settle");
  Step("shot " + shot);
  Click(ButtonCentre(screen, 2, true));
  Step("settle");
}

void Plan() {
  Step("window");
  Step("wait 4");
  Step("shot splash-prompt");
  Step("key space");
  GameOptions.radiationFatal = 1;
  NextMap(1);  // the first idle step of the main screen
  Step("settle");
  Step("shot main-first-map");
  Step("key F11");  // the message box with the island's number
  Step("settle");
  Step("shot message");
  Step("key Escape");
  Step("settle");
  Step("key F1");  // help
  Step("settle");
  Step("shot help");
  Step("key Escape");
  Step("settle");

  PlayToWin("main-playing");  // type 1, to the finish screen
  BackToTheMap("Finish", "finish");
  Step("shot main-won");

  Click(MainButton(1));  // a new map of type 1, lost
  NextMap(1);
  Step("settle");
  StepOnRadiation();
  BackToTheMap("Fail", "failure");
  Step("shot main-lost");

  Click(MainButton(2));  // options: radiated areas cost time
  Step("settle");
  Step("shot options");
  Click(ButtonCentre("Options", 5, true));
  GameOptions.radiationFatal = 0;
  Step("settle");
  Step("shot options-changed");
  Click(ButtonCentre("Options", 7, true));
  Step("settle");

  SelectMapType(2, "select-map");  // a record with a penalty on the way
  Step("mark record-start");
  StepOnRadiation();
  PlayToWin();
  Step("settle");
  Step("mark record-end");
  Step("key BackSpace");
  Step("type Ada Vell");
  Step("settle");
  Step("shot new-record");
  Step("key Return");
  Step("settle");
  Step("shot scores");
  Click(ButtonCentre("Scores", 2, false));
  Step("settle");

  SelectMapType(3);  // won, then a new map of the type from the finish screen
  PlayToWin();
  Step("settle");
  Step("shot finish-type-3");
  Click(ButtonCentre("Finish", 1, true));
  NextMap(3);
  Step("settle");
  Step("shot main-new-map-type-3");

  SelectMapType(4);
  PlayToWin();
  BackToTheMap("Finish", "finish-type-4");
  Step("shot main-end");
  Click(MainButton(6));  // exit
  Step("quit");
}

// Two points of the first map: a safe cell whose opening plays one effect,
// and a radiated cell that loses the map.
void FirstMapCells() {
  GameOptions.radiationFatal = 1;
  PrepareMap(1);
  const int safe = FirstHiddenCell([](const TIslandCell& cell) { return !Radiated(cell) && cell.radiatedNeighbours != 0; });
  const int radiated = FirstHiddenCell(Radiated);
  if (safe == 0 || radiated == 0) Fail("the first map has no hidden digit cell or no hidden radiated area");
  const Point safePoint = CellPoint(safe), radiatedPoint = CellPoint(radiated);
  Step("safe " + std::to_string(safePoint.x) + " " + std::to_string(safePoint.y));
  Step("radiated " + std::to_string(radiatedPoint.x) + " " + std::to_string(radiatedPoint.y));
}

}  // namespace

int main(int argc, char** argv) {
  const bool firstMap = argc == 3 && std::string(argv[1]) == "--first-map";
  if (argc != 2 && !firstMap) Fail("usage: tervane-play-plan [--first-map] SEED");
  platform::SetRandomSeed(static_cast<uint32_t>(std::strtoul(argv[argc - 1], nullptr, 10)));
  if (firstMap) {
    FirstMapCells();
    return 0;
  }
  WriteStartingScores();
  Plan();
  return 0;
}
