#include "render.h"

#include <algorithm>

#include "Cmixer.h"
#include "Error.h"
#include "QueltLibrary.h"
#include "quelt.h"

bool RenderPlayingModule(std::vector<uint8_t>& pcm, uint32_t maxFrames) {
  QueltLibrary& library = Library();
  MixSettings& settings = library.settings;
  const uint32_t frameBytes = BytesPerFrame(settings.formatFlags);
  uint32_t frames = 0;
  while (frames < maxFrames) {
    if (!library.mixer.playing) return true;
    if (settings.tickCounter <= 0) {
      // A frame that begins with a tick: if the song ends in that tick, the
      // frame is not part of it.
      uint8_t frame[4];
      Mix(settings, frame, frameBytes);
      if (!library.mixer.playing) return true;
      pcm.insert(pcm.end(), frame, frame + frameBytes);
      ++frames;
      continue;
    }
    const uint32_t count =
        std::min<uint32_t>(static_cast<uint32_t>(settings.tickCounter) / frameBytes, maxFrames - frames);
    const size_t start = pcm.size();
    pcm.resize(start + size_t{count} * frameBytes);
    Mix(settings, pcm.data() + start, count * frameBytes);
    frames += count;
  }
  return false;
}

RenderResult RenderModuleFile(const std::string& fileName, const RenderOptions& options) {
  RenderResult result;
  QueltInit(1, 0, 0);
  QueltSetInterpolation(options.interpolation);
  QueltSetStereoSeparation(options.separation);
  QueltSetMusicVolume(options.musicVolume);
  if (options.interpolation < 0 || options.interpolation > 2) {
    result.error = "the interpolation must be 0, 1 or 2";
  } else if (!QueltSetMode(options.rate, options.stereo, options.sixteenBit)) {
    result.error = "the rate must be at least 1 Hz";
  } else {
    Library().settings.tickCounter = 0;
    const int module = QueltLoadModule(const_cast<char*>(fileName.c_str()), options.offset);
    if (module < 0) {
      result.error = LastFailure();
    } else if (!QueltPlayModule(module, options.loop)) {
      result.error = "the module does not start";
    } else {
      const double seconds = options.seconds > 0 ? options.seconds : options.maxSeconds;
      const auto maxFrames = static_cast<uint32_t>(std::min(seconds * options.rate, 4.0e9));
      result.songEnded = RenderPlayingModule(result.pcm, maxFrames);
      result.frames = static_cast<uint32_t>(result.pcm.size() / BytesPerFrame(Library().settings.formatFlags));
      result.ok = true;
    }
  }
  QueltUninit();
  QueltSetMusicVolume(128);
  QueltSetStereoSeparation(255);
  QueltSetInterpolation(2);
  QueltSetMode(44100, true, true);
  return result;
}
