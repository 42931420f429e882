#include "tools/music/parts.h"

#include <cmath>

#include "tools/music/instruments.h"

namespace music {

std::string Event(int row, const std::string& text) { return std::to_string(row) + ":" + text + " "; }

std::string Repeat(int from, int to, const std::string& text, int step) {
  std::string line;
  for (int row = from; row <= to; row += step) line += Event(row, text);
  return line;
}

void PadChords(Score& score, int pattern, const std::vector<PadChord>& chords) {
  const int channels[3] = {kPad1, kPad2, kPad3};
  for (const PadChord& chord : chords) {
    for (int voice = 0; voice < 3; ++voice) {
      std::string line = Event(chord.row, std::string(chord.voices[voice]) + "!304");
      line += Repeat(chord.row + 1, chord.row + 2, "..!304");
      score.Line(pattern, channels[voice], kPad, line);
    }
  }
}

void PadBreath(Score& score, int pattern, int waveRows, int low, int high) {
  const double pi = std::acos(-1.0);
  const int crestRow = (waveRows + 1) / 3;
  for (int row = 0; row < score.Rows(pattern); ++row) {
    double phase = static_cast<double>((row - crestRow + waveRows) % waveRows) / waveRows;
    int volume = low + static_cast<int>(std::lround((high - low) * (0.5 + 0.5 * std::cos(2 * pi * phase))));
    for (int channel : {kPad1, kPad2, kPad3}) score.At(pattern, row, channel).volume = xm::volume_column::Set(volume);
  }
}

void BrokenChord(Score& score, int pattern, int channel, int row, const Tones& tones) {
  const int order[4] = {0, 2, 1, 3};
  const int volumes[4] = {34, 26, 30, 26};
  std::string line;
  for (int i = 0; i < 4; ++i) {
    line += Event(row + 2 * i, std::string(tones[order[i]]) + "@" + std::to_string(volumes[i]));
  }
  score.Line(pattern, channel, kPluck, line);
}

void Shimmer(Score& score, int pattern, int channel, const std::vector<ShimmerNote>& notes) {
  for (const ShimmerNote& note : notes) {
    std::string effect = std::string("!") + note.arpeggio;
    std::string line = Event(note.row, std::string(note.note) + "@30" + effect);
    line += Repeat(note.row + 1, note.row + 7, ".." + effect);
    score.Line(pattern, channel, kPluck, line);
  }
}

void Echo(Score& score, int pattern, int from, int to) {
  constexpr int kDelay = 3;
  const int rows = score.Rows(pattern);
  for (int row = 0; row + kDelay < rows; ++row) {
    xm::Cell source = score.At(pattern, row, from);
    if (source.note == xm::kKeyOff) continue;
    xm::Cell& echo = score.At(pattern, row + kDelay, to);
    echo = source;
    if (source.volume >= 0x10 && source.volume <= 0x50) {
      echo.volume = xm::volume_column::Set((source.volume - 0x10) / 2);
    }
    if (source.note != xm::kNoNote && !source.HasEffect()) {
      echo.effect = xm::kSetPanning;
      echo.parameter = 0xD0;
    }
  }
}

}  // namespace music
