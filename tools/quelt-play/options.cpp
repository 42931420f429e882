#include "options.h"

#include <cstdlib>

const char* const kPlayManual = R"(NAME
       quelt-play - play tracker modules through the quelt mixer library

SYNOPSIS
       quelt-play [OPTION]... MODULE...

DESCRIPTION
       Plays each MODULE (XM, S3M, MOD or QLT) in turn on the sound device
       through the library's streaming output, until the song ends. On a
       terminal, one status line shows the file, the order (of the song's
       orders), the pattern, the row, the time played and the song's
       length. A file the library refuses is named with the reason on
       standard error, and the remaining files still play. Ctrl-C stops the
       output and ends the program.

OPTIONS
       --loop Songs do not end: at the end of its orders a song goes on at
              its restart position, so the first module plays until Ctrl-C.

       --interpolation N
              Resampling: 0 none, 1 linear, 2 quadratic (the default).

       --rate HZ
              Output rate in Hz, 1 to 65535 (default 44100).

       --mono Mono output (default stereo).

       --8bit 8-bit output (default 16 bit).

       --volume N
              Music master volume, 0 to 255 (default 128, unity).

       --start SECONDS
              Starts each song this far in. The song runs ahead silently to
              that point; notes struck before it sound again from their
              start.

       --settings
              Opens the library's settings dialog while the music plays:
              volumes, buffer length, stereo separation and interpolation
              are heard at once, the output format and the cooperative
              level on OK or Apply. The dialog closes when playing ends.

       -h, --help
              Shows this text.

ENVIRONMENT
       SDL_AUDIODRIVER
              The sound device's driver (for example pulseaudio, alsa, or
              disk, which writes the output to the file SDL_DISKAUDIOFILE).

       QUELT_DIALOG_MODULE
              The settings dialog's view module to load instead of the
              installed one.

EXIT STATUS
       0      Every module played.
       1      A module was refused, or the sound device could not be opened.
       2      The command line is not valid.
       130    Stopped by Ctrl-C (SIGINT) or SIGTERM.

EXAMPLES
       quelt-play --interpolation 1 song.xm other.s3m
       quelt-play --settings --loop music.xm
)";

namespace {

bool ParseNumber(const std::string& text, double low, double high, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && value >= low && value <= high;
}

bool ParseWholeNumber(const std::string& text, long low, long high, long& value) {
  double number = 0;
  if (!ParseNumber(text, low, high, number) || number != static_cast<long>(number)) return false;
  value = static_cast<long>(number);
  return true;
}

// An option that takes a value; false when the value is missing or bad.
bool ApplyValue(const std::string& name, const std::string& text, PlayOptions& options) {
  long value = 0;
  if (name == "--interpolation" && ParseWholeNumber(text, 0, 2, value)) {
    options.interpolation = static_cast<int>(value);
  } else if (name == "--rate" && ParseWholeNumber(text, 1, 65535, value)) {
    options.rate = static_cast<unsigned short>(value);
  } else if (name == "--volume" && ParseWholeNumber(text, 0, 255, value)) {
    options.volume = static_cast<unsigned char>(value);
  } else if (name == "--start" && ParseNumber(text, 0, 86400, options.start)) {
    return true;
  } else {
    return false;
  }
  return true;
}

bool ApplyFlag(const std::string& name, PlayOptions& options) {
  if (name == "--loop") {
    options.loop = true;
  } else if (name == "--mono") {
    options.stereo = false;
  } else if (name == "--8bit") {
    options.sixteenBit = false;
  } else if (name == "--settings") {
    options.settings = true;
  } else if (name == "--help" || name == "-h") {
    options.help = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParsePlayOptions(const std::vector<std::string>& arguments, PlayOptions& options, std::string& error) {
  bool onlyFiles = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (onlyFiles || argument.empty() || argument[0] != '-' || argument == "-") {
      options.files.push_back(argument);
    } else if (argument == "--") {
      onlyFiles = true;
    } else if (ApplyFlag(argument, options)) {
      continue;
    } else if (argument == "--interpolation" || argument == "--rate" || argument == "--volume" ||
               argument == "--start") {
      if (i + 1 >= arguments.size() || !ApplyValue(argument, arguments[i + 1], options)) {
        error = "bad or missing value for " + argument;
        return false;
      }
      ++i;
    } else {
      error = "unknown option " + argument;
      return false;
    }
  }
  if (options.files.empty() && !options.help) {
    error = "no module to play";
    return false;
  }
  return true;
}
