#include "status_line.h"

#include <cstdio>

#include "api/QueltLibrary.h"

SongPosition ReadSongPosition() {
  MixerState& mixer = Library().mixer;
  MixerClaim claim(mixer);
  SongPosition position;
  position.playing = mixer.playing && mixer.currentModule != nullptr;
  if (!position.playing) return position;
  const ModuleSlot& module = *mixer.currentModule;
  position.order = mixer.orderIndex;
  position.orders = module.songLength;
  position.pattern = mixer.orderIndex < module.orders.size() ? module.orders[mixer.orderIndex] : 0;
  position.row = mixer.row == 0xFFFF ? 0 : mixer.row;
  return position;
}

std::string FormatTime(double seconds) {
  const long whole = seconds > 0 ? static_cast<long>(seconds) : 0;
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  }
  return text;
}

std::string StatusLine(const std::string& file, const SongPosition& position, double elapsed,
                       const SongScan& length, size_t width) {
  char place[96];
  std::snprintf(place, sizeof place, "  order %d/%d  pattern %d  row %d  ", position.order, position.orders,
                position.pattern, position.row);
  std::string times = FormatTime(elapsed) + " / " + (length.ok ? FormatTime(length.seconds) : "?");
  if (length.ok && length.repeats) times += " (repeats)";
  std::string line = place + times;
  // The file name gives way first when the line is too long.
  const size_t room = width > line.size() ? width - line.size() : 0;
  std::string name = file;
  if (name.size() > room) name = room > 3 ? "..." + file.substr(file.size() - (room - 3)) : "";
  line = name + line;
  if (line.size() > width) line.resize(width);
  return line;
}
