#include "wavefile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

void Put16(std::vector<uint8_t>& out, unsigned value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

uint32_t Get16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t Get32(const uint8_t* p) { return Get16(p) | Get16(p + 2) << 16; }

// Float samples become 16-bit, clipped.
std::vector<uint8_t> FloatTo16(const uint8_t* data, size_t bytes) {
  std::vector<uint8_t> out;
  out.reserve(bytes / 2);
  for (size_t i = 0; i + 4 <= bytes; i += 4) {
    float value;
    std::memcpy(&value, data + i, 4);
    const float scaled = value * 32768.0f;
    const int sample = scaled > 32767.0f ? 32767 : scaled < -32768.0f ? -32768 : static_cast<int>(scaled);
    Put16(out, static_cast<unsigned>(sample) & 0xFFFF);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> WaveHeader(unsigned rate, unsigned channels, unsigned bits, uint32_t dataBytes) {
  std::vector<uint8_t> header;
  const uint32_t blockAlign = channels * bits / 8;
  header.insert(header.end(), {'R', 'I', 'F', 'F'});
  Put32(header, 36 + dataBytes);
  header.insert(header.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(header, 16);
  Put16(header, 1);
  Put16(header, channels);
  Put32(header, rate);
  Put32(header, rate * blockAlign);
  Put16(header, blockAlign);
  Put16(header, bits);
  header.insert(header.end(), {'d', 'a', 't', 'a'});
  Put32(header, dataBytes);
  return header;
}

bool WriteWaveFile(const std::string& fileName, const WaveData& wave) {
  const std::vector<uint8_t> header =
      WaveHeader(wave.rate, wave.channels, wave.bits, static_cast<uint32_t>(wave.bytes.size()));
  std::ofstream file(fileName, std::ios::binary);
  file.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
  file.write(reinterpret_cast<const char*>(wave.bytes.data()), static_cast<std::streamsize>(wave.bytes.size()));
  return static_cast<bool>(file);
}

bool WaveFileWriter::Open(const std::string& fileName, unsigned rate, unsigned channels, unsigned bits) {
  rate_ = rate;
  channels_ = channels;
  bits_ = bits;
  dataBytes_ = 0;
  file_.open(fileName, std::ios::binary | std::ios::trunc);
  const std::vector<uint8_t> header = WaveHeader(rate, channels, bits, 0);
  file_.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
  return static_cast<bool>(file_);
}

bool WaveFileWriter::Append(const uint8_t* bytes, size_t count) {
  file_.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
  dataBytes_ += count;
  return static_cast<bool>(file_);
}

bool WaveFileWriter::Close() {
  if (!file_.is_open()) return false;
  const std::vector<uint8_t> header = WaveHeader(rate_, channels_, bits_, static_cast<uint32_t>(dataBytes_));
  file_.seekp(0);
  file_.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
  file_.close();
  return !file_.fail();
}

bool ReadWaveFile(const std::string& fileName, WaveData& wave) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ParseWave(bytes.data(), bytes.size(), wave);
}

bool ParseWave(const uint8_t* bytes, size_t total, WaveData& wave) {
  if (total < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
  unsigned format = 0;
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= total;) {
    const uint8_t* chunk = bytes + at;
    const size_t size = Get32(chunk + 4);
    const size_t available = std::min(size, total - at - 8);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
      format = Get16(chunk + 8);
      wave.channels = Get16(chunk + 10);
      wave.rate = Get32(chunk + 12);
      wave.bits = Get16(chunk + 22);
      if (format == 0xFFFE && available >= 26) format = Get16(chunk + 32);  // extensible: sub-format
      if (wave.channels == 0) return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && haveFormat) {
      if (format == 3 && wave.bits == 32) {
        wave.bytes = FloatTo16(chunk + 8, available);
        wave.bits = 16;
        return true;
      }
      if (format != 1 || (wave.bits != 8 && wave.bits != 16)) return false;
      wave.bytes.assign(chunk + 8, chunk + 8 + available);
      return true;
    }
    at += 8 + size + (size & 1);
  }
  return false;
}
