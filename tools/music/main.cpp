// tervane-music: composes the game's music and writes it as an XM module.
//
//   tervane-music OUTPUT.xm
//
// Prints the song's length and where it loops back to.
#include <cstdio>
#include <exception>

#include "tools/music/composition.h"
#include "tools/sfx/wave.h"
#include "tools/xmwriter/songlength.h"
#include "tools/xmwriter/xmwriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tervane-music OUTPUT.xm\n");
    return 2;
  }
  try {
    xm::Module module = music::ComposeDusk();
    synth::WriteWholeFile(argv[1], xm::WriteModule(module));
    xm::SongTiming timing = xm::MeasureSong(module);
    std::printf("%s: %zu orders, %zu patterns, %zu instruments, %d channels; %.2f s, loops back to %.2f s\n",
                module.name.c_str(), module.orders.size(), module.patterns.size(), module.instruments.size(),
                module.channels, timing.seconds, timing.restartSeconds);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tervane-music: %s\n", error.what());
    return 1;
  }
  return 0;
}
