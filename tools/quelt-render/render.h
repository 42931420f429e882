// Offline rendering of a module through the library's mixing: the same
// tick, voice loops and output conversion the streaming thread uses, driven
// on the caller's thread without a sound device.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct RenderOptions {
  unsigned short rate = 44100;
  bool stereo = true;
  bool sixteenBit = true;
  int interpolation = 2;         // 0 none, 1 linear, 2 quadratic
  unsigned char separation = 255;
  unsigned char musicVolume = 128;
  double seconds = 0;            // 0: until the song ends
  bool loop = false;             // continue at the restart position (needs seconds)
  double maxSeconds = 3600;      // limit when rendering until the end
  unsigned long offset = 0;      // byte offset of the module in its file
};

// Why rendering stopped.
enum class RenderEnd {
  SongEnded,  // the order list ran out
  Looped,     // a jump went back to a place the song had already played
  TimeLimit,  // the requested seconds (or the limit) were reached
};

struct RenderResult {
  bool ok = false;
  std::string error;            // why rendering failed
  std::vector<uint8_t> pcm;     // output bytes in the chosen format
  RenderEnd end = RenderEnd::TimeLimit;
  uint32_t frames = 0;
};

// Receives rendered output in blocks, in order; false stops the rendering.
using PcmSink = std::function<bool(const uint8_t* bytes, size_t count)>;

// Loads the module file and renders it, handing the output to the sink in
// blocks of at most kRenderBlockBytes (result.pcm stays empty; result.ok is
// false, with an error, when the sink refuses a block).
constexpr uint32_t kRenderBlockBytes = 64 * 1024;
RenderResult RenderModuleFile(const std::string& fileName, const RenderOptions& options, const PcmSink& sink);

// Loads the module file and renders it. Uses the library's global state
// (QueltInit ... QueltUninit), so only one rendering runs at a time.
RenderResult RenderModuleFile(const std::string& fileName, const RenderOptions& options);

// Renders the module already playing in the library until it ends (or,
// with stopAtLoop, jumps back to an order and row it entered before) or
// maxFrames frames are done, handing the output to the sink in blocks;
// frames counts what it rendered. The sink refusing a block ends it early
// (sinkFailed set).
RenderEnd RenderPlayingModule(const PcmSink& sink, uint32_t maxFrames, bool stopAtLoop, uint32_t& frames,
                              bool& sinkFailed);
