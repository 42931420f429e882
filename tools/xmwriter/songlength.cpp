#include "tools/xmwriter/songlength.h"

#include <algorithm>
#include <set>
#include <utility>

namespace xm {
namespace {

struct Position {
  int order = 0;
  int row = 0;
};

struct RowControl {
  int speed = 0, tempo = 0;
  int jumpOrder = -1, breakRow = -1;
  int repeats = 0;  // pattern delay
};

// The speed, tempo and flow commands of one row (the last of each kind wins).
RowControl ReadRow(const Pattern& pattern, int row) {
  RowControl control;
  for (int channel = 0; channel < pattern.Channels(); ++channel) {
    const Cell& cell = pattern.At(row, channel);
    switch (cell.effect) {
      case kSpeedTempo:
        if (cell.parameter != 0) (cell.parameter < 32 ? control.speed : control.tempo) = cell.parameter;
        break;
      case kPatternBreak:  // the row is written in decimal digits
        control.breakRow = (cell.parameter >> 4) * 10 + (cell.parameter & 15);
        break;
      case kPositionJump:
        control.jumpOrder = cell.parameter;
        break;
      case kExtended:
        if ((cell.parameter >> 4) == 0xE) control.repeats = cell.parameter & 15;
        break;
      default:
        break;
    }
  }
  return control;
}

}  // namespace

SongTiming MeasureSong(const Module& module) {
  SongTiming timing;
  int speed = module.speed, tempo = module.tempo;
  std::set<std::pair<int, int>> played;
  Position at;
  bool restartSeen = false;
  while (at.order < static_cast<int>(module.orders.size()) && played.insert({at.order, at.row}).second) {
    if (at.order == module.restart && !restartSeen) {
      timing.restartSeconds = timing.seconds;
      restartSeen = true;
    }
    const Pattern& pattern = module.patterns.at(module.orders[at.order]);
    if (at.row >= pattern.Rows()) at.row = 0;
    RowControl control = ReadRow(pattern, at.row);
    if (control.speed) speed = control.speed;
    if (control.tempo) tempo = control.tempo;
    timing.seconds += (1 + control.repeats) * speed * 2.5 / tempo;
    timing.rows += 1 + control.repeats;
    if (control.jumpOrder >= 0 || control.breakRow >= 0) {
      at = {control.jumpOrder >= 0 ? control.jumpOrder : at.order + 1, std::max(control.breakRow, 0)};
    } else if (++at.row >= pattern.Rows()) {
      at = {at.order + 1, 0};
    }
  }
  return timing;
}

}  // namespace xm
