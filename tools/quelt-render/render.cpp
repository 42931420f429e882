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

namespace {

// Collects output into blocks and hands each full block to the sink.
class BlockWriter {
 public:
  explicit BlockWriter(const PcmSink& sink) : sink_(sink) { block_.reserve(kRenderBlockBytes); }
  // Room for count more bytes at the end of the block, flushing first when
  // they do not fit.
  uint8_t* Room(size_t count) {
    if (block_.size() + count > kRenderBlockBytes) Flush();
    const size_t start = block_.size();
    block_.resize(start + count);
    return block_.data() + start;
  }
  void Flush() {
    if (!block_.empty() && !failed_) failed_ = !sink_(block_.data(), block_.size());
    block_.clear();
  }
  bool Failed() const { return failed_; }

 private:
  const PcmSink& sink_;
  std::vector<uint8_t> block_;
  bool failed_ = false;
};

RenderEnd RenderInto(BlockWriter& writer, uint32_t maxFrames, bool stopAtLoop, uint32_t& frames) {
  QueltLibrary& library = Library();
  MixSettings& settings = library.settings;
  const uint32_t frameBytes = BytesPerFrame(settings.formatFlags);
  const uint32_t blockFrames = kRenderBlockBytes / frameBytes;
  LoopDetector loops(library.mixer);
  frames = 0;
  while (frames < maxFrames && !writer.Failed()) {
    if (!library.mixer.playing) return RenderEnd::SongEnded;
    if (settings.tickCounter <= 0) {
      // A frame that begins with a tick: if the song ends (or repeats) in
      // that tick, the frame is not part of it.
      uint8_t frame[4];
      Mix(settings, frame, frameBytes);
      if (!library.mixer.playing) return RenderEnd::SongEnded;
      if (stopAtLoop && library.mixer.tick == 0 && loops.Repeats()) return RenderEnd::Looped;
      std::copy(frame, frame + frameBytes, writer.Room(frameBytes));
      ++frames;
      continue;
    }
    const uint32_t count = std::min({static_cast<uint32_t>(settings.tickCounter) / frameBytes,
                                     maxFrames - frames, blockFrames});
    Mix(settings, writer.Room(size_t{count} * frameBytes), count * frameBytes);
    frames += count;
  }
  return RenderEnd::TimeLimit;
}

}  // namespace

RenderEnd RenderPlayingModule(const PcmSink& sink, uint32_t maxFrames, bool stopAtLoop, uint32_t& frames,
                              bool& sinkFailed) {
  BlockWriter writer(sink);
  const RenderEnd end = RenderInto(writer, maxFrames, stopAtLoop, frames);
  writer.Flush();
  sinkFailed = writer.Failed();
  return end;
}

RenderResult RenderModuleFile(const std::string& fileName, const RenderOptions& options, const PcmSink& sink) {
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
      bool sinkFailed = false;
      result.end = RenderPlayingModule(sink, maxFrames, !options.loop, result.frames, sinkFailed);
      result.ok = !sinkFailed;
      if (sinkFailed) result.error = "the output cannot be written";
    }
  }
  QueltUninit();
  QueltSetMusicVolume(128);
  QueltSetStereoSeparation(255);
  QueltSetInterpolation(2);
  QueltSetMode(44100, true, true);
  return result;
}

RenderResult RenderModuleFile(const std::string& fileName, const RenderOptions& options) {
  std::vector<uint8_t> pcm;
  RenderResult result = RenderModuleFile(fileName, options, [&pcm](const uint8_t* bytes, size_t count) {
    pcm.insert(pcm.end(), bytes, bytes + count);
    return true;
  });
  result.pcm = std::move(pcm);
  return result;
}
