// Helpers of the render tests: loudness envelopes, their correlation, and
// running programs.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wavefile.h"

namespace render_support {

// RMS of the mono sum per window of frames (16-bit stereo or mono input).
inline std::vector<double> LoudnessEnvelope(const WaveData& wave, unsigned windowFrames) {
  const unsigned channels = wave.channels;
  const size_t frames = wave.bytes.size() / (2 * channels);
  std::vector<double> envelope;
  for (size_t start = 0; start + windowFrames <= frames; start += windowFrames) {
    double sum = 0;
    for (size_t frame = start; frame < start + windowFrames; ++frame) {
      double mono = 0;
      for (unsigned c = 0; c < channels; ++c) {
        const size_t at = 2 * (frame * channels + c);
        mono += static_cast<int16_t>(wave.bytes[at] | wave.bytes[at + 1] << 8);
      }
      sum += mono * mono;
    }
    envelope.push_back(std::sqrt(sum / windowFrames));
  }
  return envelope;
}

// Pearson correlation over the common length.
inline double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
  const size_t n = std::min(a.size(), b.size());
  if (n < 2) return 0;
  double meanA = 0, meanB = 0;
  for (size_t i = 0; i < n; ++i) {
    meanA += a[i];
    meanB += b[i];
  }
  meanA /= n;
  meanB /= n;
  double covariance = 0, varianceA = 0, varianceB = 0;
  for (size_t i = 0; i < n; ++i) {
    covariance += (a[i] - meanA) * (b[i] - meanB);
    varianceA += (a[i] - meanA) * (a[i] - meanA);
    varianceB += (b[i] - meanB) * (b[i] - meanB);
  }
  return covariance / std::sqrt(varianceA * varianceB);
}

// Runs a shell command; returns its exit status (-1 when it did not run).
inline int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return status == -1 ? -1 : WEXITSTATUS(status);
}

// Runs a command and returns what it printed.
inline std::string Output(const std::string& command) {
  std::string text;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  return text;
}

inline bool HaveReferencePlayer() { return Run("command -v openmpt123 > /dev/null 2>&1") == 0; }

// The reference player's option choosing one subsong (-1: all of them).
inline std::string SubsongOption(int subsong) {
  return subsong < 0 ? std::string() : " --subsong " + std::to_string(subsong);
}

// The song length the reference player reports, in seconds (-1 if none).
inline double ReferenceDuration(const std::string& module, int subsong = -1) {
  const std::string info = Output("openmpt123 --info" + SubsongOption(subsong) + " '" + module + "' 2>&1");
  const size_t at = info.find("Duration...: ");
  if (at == std::string::npos) return -1;
  double seconds = 0;
  size_t position = at + 13;
  // [[hours:]minutes:]seconds.fraction
  while (true) {
    size_t used = 0;
    const double part = std::stod(info.substr(position), &used);
    seconds = seconds * 60 + part;
    position += used;
    if (info[position] != ':') break;
    ++position;
  }
  return seconds;
}

// The number of subsongs the reference player finds (0 if unknown).
inline int ReferenceSubsongs(const std::string& module) {
  const std::string info = Output("openmpt123 --info '" + module + "' 2>&1");
  const size_t at = info.find("Subsongs...: ");
  return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 13);
}

// Renders a module with the reference player to 16-bit 44100 Hz stereo.
inline bool ReferenceRender(const std::string& module, const std::string& wave, int subsong = -1) {
  return Run("openmpt123 --batch --quiet --no-float --samplerate 44100 --channels 2 --force" +
             SubsongOption(subsong) + " --output '" + wave + "' '" + module + "' > /dev/null 2>&1") == 0;
}

}  // namespace render_support
