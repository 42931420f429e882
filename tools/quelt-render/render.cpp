#include "render.h"

#include <algorithm>
#include <set>

#include "mixer/Cmixer.h"
#include "base/Error.h"
#include "api/QueltLibrary.h"
#include "api/quelt.h"

namespace {

// Remembers where the song entered each order; entering one at the same
// row again means the song repeats from there. A pattern loop going back
// within its order is not an entry.
class LoopDetector {
 public:
  explicit LoopDetector(const MixerState& state) : state_(state) {}
  bool Repeats() {
    if (state_.orderIndex == lastOrder_ && (state_.row >= lastRow_ || PatternLoopRuns())) {
      lastRow_ = state_.row;
      return false;
    }
    lastOrder_ = state_.orderIndex;
    lastRow_ = state_.row;
    const uint32_t entry = uint32_t{state_.orderIndex} << 16 | state_.row;
    return !entries_.insert(entry).second;
  }

 private:
  bool PatternLoopRuns() const {
    for (const MixChannel& channel : state_.musicChannels) {
      if (channel.patternLoopRunning) return true;
    }
    return false;
  }

  const MixerState& state_;
  uint32_t lastOrder_ = 0xFFFFFFFF;
  uint32_t lastRow_ = 0;
  std::set<uint32_t> entries_;
};

}  // namespace

RenderEnd RenderPlayingModule(std::vector<uint8_t>& pcm, uint32_t maxFrames, bool stopAtLoop) {
  QueltLibrary& library = Library();
  MixSettings& settings = library.settings;
  const uint32_t frameBytes = BytesPerFrame(settings.formatFlags);
  LoopDetector loops(library.mixer);
  uint32_t frames = 0;
  while (frames < maxFrames) {
    if (!library.mixer.playing) return RenderEnd::SongEnded;
    if (settings.tickCounter <= 0) {
      // A frame that begins with a tick: if the song ends (or repeats) in
      // that tick, the frame is not part of it.
      uint8_t frame[4];
      Mix(settings, frame, frameBytes);
      if (!library.mixer.playing) return RenderEnd::SongEnded;
      if (stopAtLoop && library.mixer.tick == 0 && loops.Repeats()) return RenderEnd::Looped;
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
  return RenderEnd::TimeLimit;
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
      result.end = RenderPlayingModule(result.pcm, maxFrames, !options.loop);
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
