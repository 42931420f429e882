#include "tools/sfx/wave.h"

#include <fstream>
#include <stdexcept>

namespace synth {
namespace {

void PutText(std::vector<uint8_t>& out, const char* text) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(text[i]));
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> MakeWave(const std::vector<int16_t>& pcm, uint32_t rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(kWaveHeaderBytes + dataBytes);
  PutText(out, "RIFF");
  PutLittleEndian(out, 36 + dataBytes, 4);
  PutText(out, "WAVE");
  PutText(out, "fmt ");
  PutLittleEndian(out, 16, 4);        // chunk size
  PutLittleEndian(out, 1, 2);         // PCM
  PutLittleEndian(out, 1, 2);         // mono
  PutLittleEndian(out, rate, 4);
  PutLittleEndian(out, rate * 2, 4);  // bytes per second
  PutLittleEndian(out, 2, 2);         // bytes per frame
  PutLittleEndian(out, 16, 2);        // bits per sample
  PutText(out, "data");
  PutLittleEndian(out, dataBytes, 4);
  for (int16_t sample : pcm) PutLittleEndian(out, static_cast<uint16_t>(sample), 2);
  return out;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace synth
