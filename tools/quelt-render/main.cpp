// quelt-render: renders a module to a WAVE file through the mixer library.
//
//   quelt-render [options] MODULE OUTPUT.wav
//     --rate HZ             output rate (default 44100)
//     --mono / --stereo     channels (default stereo)
//     --8bit / --16bit      sample width (default 16 bit)
//     --interpolation N     0 none, 1 linear, 2 quadratic (default 2)
//     --separation N        stereo separation 0-255 (default 255)
//     --volume N            music master volume 0-255 (default 128)
//     --seconds S           render S seconds (default: until the song ends)
//     --loop                continue at the restart position (with --seconds);
//                           otherwise rendering stops where the song ends or
//                           jumps back to a place it has already played
//     --max-seconds S       limit when rendering until the end (default 3600)
//     --offset BYTES        where the module starts in the file (default 0)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render.h"
#include "wavefile.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: quelt-render [--rate HZ] [--mono|--stereo] [--8bit|--16bit] [--interpolation 0|1|2]\n"
               "                    [--separation 0-255] [--volume 0-255] [--seconds S] [--loop]\n"
               "                    [--max-seconds S] [--offset BYTES] MODULE OUTPUT.wav\n");
  return 2;
}

bool ParseNumber(const char* text, double low, double high, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= low && value <= high;
}

// Applies one option that takes a value; false when it is not valid.
bool ApplyValue(const std::string& name, const char* text, RenderOptions& options) {
  double value = 0;
  if (name == "--rate" && ParseNumber(text, 1, 65535, value)) {
    options.rate = static_cast<unsigned short>(value);
  } else if (name == "--interpolation" && ParseNumber(text, 0, 2, value)) {
    options.interpolation = static_cast<int>(value);
  } else if (name == "--separation" && ParseNumber(text, 0, 255, value)) {
    options.separation = static_cast<unsigned char>(value);
  } else if (name == "--volume" && ParseNumber(text, 0, 255, value)) {
    options.musicVolume = static_cast<unsigned char>(value);
  } else if (name == "--seconds" && ParseNumber(text, 0.001, 86400, value)) {
    options.seconds = value;
  } else if (name == "--max-seconds" && ParseNumber(text, 0.001, 86400, value)) {
    options.maxSeconds = value;
  } else if (name == "--offset" && ParseNumber(text, 0, 4294967295.0, value)) {
    options.offset = static_cast<unsigned long>(value);
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::string files[2];
  int fileCount = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--mono" || argument == "--stereo") {
      options.stereo = argument == "--stereo";
    } else if (argument == "--8bit" || argument == "--16bit") {
      options.sixteenBit = argument == "--16bit";
    } else if (argument == "--loop") {
      options.loop = true;
    } else if (argument.rfind("--", 0) == 0) {
      if (i + 1 >= argc || !ApplyValue(argument, argv[i + 1], options)) return Usage();
      ++i;
    } else if (fileCount < 2) {
      files[fileCount++] = argument;
    } else {
      return Usage();
    }
  }
  if (fileCount != 2 || (options.loop && options.seconds <= 0)) return Usage();

  // The output goes to the file block by block as it is mixed, so memory
  // does not grow with the song's length.
  WaveFileWriter writer;
  if (!writer.Open(files[1], options.rate, options.stereo ? 2 : 1, options.sixteenBit ? 16 : 8)) {
    std::fprintf(stderr, "quelt-render: cannot write %s\n", files[1].c_str());
    return 1;
  }
  const RenderResult result = RenderModuleFile(
      files[0], options, [&writer](const uint8_t* bytes, size_t count) { return writer.Append(bytes, count); });
  const bool written = writer.Close();
  if (!result.ok && written) {
    std::remove(files[1].c_str());
    std::fprintf(stderr, "quelt-render: %s: %s\n", files[0].c_str(), result.error.c_str());
    return 1;
  }
  if (!written) {
    std::fprintf(stderr, "quelt-render: cannot write %s\n", files[1].c_str());
    return 1;
  }
  std::printf("%s: %.3f s, %s\n", files[1].c_str(), static_cast<double>(result.frames) / options.rate,
              result.end == RenderEnd::SongEnded ? "song ended"
              : result.end == RenderEnd::Looped  ? "song repeats from here"
                                                 : "time limit reached");
  return 0;
}
