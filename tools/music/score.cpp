#include "tools/music/score.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>

namespace music {
namespace {

[[noreturn]] void Malformed(std::string_view event) {
  throw std::invalid_argument("malformed event: " + std::string(event));
}

int SemitoneOfLetter(char letter) {
  switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: return -1;
  }
}

int ParseNumber(std::string_view text, int base, std::string_view event) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) Malformed(event);
  return value;
}

int EffectNumber(char symbol) {
  if (symbol >= '0' && symbol <= '9') return symbol - '0';
  if (symbol >= 'A' && symbol <= 'Z') return symbol - 'A' + 10;
  return -1;
}

// Splits "NOTE@VOLUME~VV!EFFECT" into its parts, in that order.
struct EventParts {
  std::string_view note, volume, rawVolume, effect;
};

EventParts SplitEvent(std::string_view body, std::string_view event) {
  EventParts parts;
  size_t volumeAt = body.find('@'), rawAt = body.find('~'), effectAt = body.find('!');
  size_t noteEnd = std::min({volumeAt, rawAt, effectAt, body.size()});
  parts.note = body.substr(0, noteEnd);
  auto field = [&](size_t at) -> std::string_view {
    if (at == std::string_view::npos) return {};
    size_t end = body.find_first_of("@~!", at + 1);
    return body.substr(at + 1, (end == std::string_view::npos ? body.size() : end) - at - 1);
  };
  parts.volume = field(volumeAt);
  parts.rawVolume = field(rawAt);
  parts.effect = field(effectAt);
  if (volumeAt != std::string_view::npos && rawAt != std::string_view::npos) Malformed(event);
  return parts;
}

void ApplyEvent(xm::Cell& cell, int instrument, const EventParts& parts, std::string_view event) {
  if (parts.note != "..") cell.note = ParseNote(parts.note);
  if (!parts.volume.empty()) {
    int volume = ParseNumber(parts.volume, 10, event);
    if (volume > 64) Malformed(event);
    cell.volume = xm::volume_column::Set(volume);
  }
  if (!parts.rawVolume.empty()) cell.volume = static_cast<uint8_t>(ParseNumber(parts.rawVolume, 16, event));
  if (!parts.effect.empty()) {
    int effect = EffectNumber(parts.effect[0]);
    if (parts.effect.size() != 3 || effect < 0) Malformed(event);
    cell.effect = static_cast<uint8_t>(effect);
    cell.parameter = static_cast<uint8_t>(ParseNumber(parts.effect.substr(1), 16, event));
  }
  bool glides = cell.effect == xm::kTonePorta || cell.effect == xm::kTonePortaVolumeSlide;
  if (parts.note != ".." && cell.note != xm::kKeyOff && !glides) cell.instrument = static_cast<uint8_t>(instrument);
}

}  // namespace

uint8_t ParseNote(std::string_view name) {
  if (name == "==") return xm::kKeyOff;
  if (name.size() != 3) throw std::invalid_argument("bad note: " + std::string(name));
  int semitone = SemitoneOfLetter(name[0]);
  int accidental = name[1] == '-' ? 0 : name[1] == '#' ? 1 : name[1] == 'b' ? -1 : 9;
  int octave = name[2] - '0';
  int note = 1 + octave * 12 + semitone + accidental;
  if (semitone < 0 || accidental == 9 || octave < 0 || octave > 7 || note < 1 || note > 96) {
    throw std::invalid_argument("bad note: " + std::string(name));
  }
  return static_cast<uint8_t>(note);
}

int Score::AddPattern(int rows) {
  module_.patterns.emplace_back(rows, module_.channels);
  return static_cast<int>(module_.patterns.size()) - 1;
}

void Score::Line(int pattern, int channel, int instrument, std::string_view line) {
  xm::Pattern& target = module_.patterns.at(static_cast<size_t>(pattern));
  size_t at = 0;
  while (at < line.size()) {
    size_t end = line.find(' ', at);
    if (end == std::string_view::npos) end = line.size();
    std::string_view event = line.substr(at, end - at);
    at = end + 1;
    if (event.empty()) continue;
    size_t colon = event.find(':');
    if (colon == std::string_view::npos) Malformed(event);
    int row = ParseNumber(event.substr(0, colon), 10, event);
    ApplyEvent(target.At(row, channel), instrument, SplitEvent(event.substr(colon + 1), event), event);
  }
}

}  // namespace music
