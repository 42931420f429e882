// A capture of SDL's disk audio driver (what the device played, 44100 Hz,
// stereo, 16 bit) and the levels the sound tests measure in it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sound_testing {

constexpr double kCaptureRate = 44100;
constexpr size_t kCaptureFrameBytes = 4;

inline size_t Frames(double seconds) { return static_cast<size_t>(seconds * kCaptureRate); }

// Which part of the stereo signal a level is taken of. The effects play at
// the centre, so they cancel out of the difference of the two channels
// (all but 1/256 of them, -48 dB): there the music is heard alone.
enum class Part { kBoth, kDifference };

struct Capture {
  std::vector<int16_t> samples;  // left, right interleaved

  size_t FrameCount() const { return samples.size() / 2; }

  // RMS over [from, to) frames, in dB below full scale.
  double Level(size_t from, size_t to, Part part = Part::kBoth) const {
    to = std::min(to, FrameCount());
    double sum = 0;
    for (size_t frame = from; frame < to; ++frame) {
      const double left = samples[2 * frame], right = samples[2 * frame + 1];
      sum += part == Part::kBoth ? (left * left + right * right) / 2 : (left - right) * (left - right);
    }
    const double mean = sum / double(to > from ? to - from : 1);
    return 10 * std::log10(std::max(mean, 1e-12) / (32768.0 * 32768.0));
  }
  // The loudest window of `step` seconds in [from, to).
  double LoudestWindow(size_t from, size_t to, double step) const {
    double loudest = -200;
    for (size_t at = from; at + Frames(step) <= to; at += Frames(step)) {
      loudest = std::max(loudest, Level(at, at + Frames(step)));
    }
    return loudest;
  }
  // The first frame at or after `from` that is not silent; the frame count if none.
  size_t FirstSound(size_t from) const {
    for (size_t frame = from; frame < FrameCount(); ++frame) {
      if (samples[2 * frame] != 0 || samples[2 * frame + 1] != 0) return frame;
    }
    return FrameCount();
  }
};

// Little-endian 16-bit samples from bytes [from, to) of a file's contents.
inline Capture CaptureOfBytes(const std::vector<char>& bytes, size_t from, size_t to) {
  to = std::min(to, bytes.size());
  Capture capture;
  capture.samples.resize(to > from ? (to - from) / 2 : 0);
  for (size_t i = 0; i < capture.samples.size(); ++i) {
    capture.samples[i] = static_cast<int16_t>(uint8_t(bytes[from + 2 * i]) | uint8_t(bytes[from + 2 * i + 1]) << 8);
  }
  return capture;
}

inline std::vector<char> FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(in)), {});
}

inline Capture ReadCapture(const std::string& file) {
  const std::vector<char> bytes = FileBytes(file);
  return CaptureOfBytes(bytes, 0, bytes.size());
}

// The "data" chunk of a WAVE file in the capture's format (empty when it
// has none).
inline Capture ReadWaveCapture(const std::string& file) {
  const std::vector<char> bytes = FileBytes(file);
  auto word = [&](size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
  };
  for (size_t chunk = 12; chunk + 8 <= bytes.size(); chunk += 8 + size_t(word(chunk + 4))) {
    if (std::string(&bytes[chunk], 4) == "data") return CaptureOfBytes(bytes, chunk + 8, chunk + 8 + word(chunk + 4));
  }
  return Capture{};
}

}  // namespace sound_testing
