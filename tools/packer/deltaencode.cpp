#include "tools/packer/deltaencode.h"

#include <span>
#include <stdexcept>
#include <string_view>

#include "graphics/packs/deltadecode.h"

namespace {

class CodePacker {
 public:
  explicit CodePacker(std::vector<uint8_t>& out) : out_(out) {}
  void Write(uint32_t code, int bits) {
    buffer_ |= code << bits_;
    bits_ += bits;
    while (bits_ >= 8) {
      out_.push_back(static_cast<uint8_t>(buffer_));
      buffer_ >>= 8;
      bits_ -= 8;
    }
  }
  void Finish() {
    if (bits_ > 0) out_.push_back(static_cast<uint8_t>(buffer_));
  }

 private:
  std::vector<uint8_t>& out_;
  uint32_t buffer_ = 0;
  int bits_ = 0;
};

// The code whose difference brings the sum nearest to the target; the lowest
// such code on ties.
uint32_t NearestCode(std::span<const int32_t> table, int64_t sum, int64_t target) {
  uint32_t best = 0;
  int64_t bestDistance = INT64_MAX;
  for (uint32_t code = 0; code < table.size(); ++code) {
    int64_t distance = sum + table[code] - target;
    if (distance < 0) distance = -distance;
    if (distance < bestDistance) {
      best = code;
      bestDistance = distance;
    }
  }
  return best;
}

size_t HeaderLength(const uint8_t* data, size_t size) {
  if (size == 0 || data[0] != 'R') return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  size_t found = bytes.find("data");
  if (found == std::string_view::npos || found + 8 > size) {
    throw std::invalid_argument("a WAVE file needs a data chunk");
  }
  return found + 8;
}

}  // namespace

std::vector<uint8_t> DeltaEncode(const uint8_t* data, size_t size, int bits, bool keepsWaveHeader) {
  if (bits != 4 && bits != 6 && bits != 8) throw std::invalid_argument("delta codes have 4, 6 or 8 bits");
  size_t header = keepsWaveHeader ? HeaderLength(data, size) : 0;
  std::vector<uint8_t> out(data, data + header);
  std::span<const int32_t> table = DeltaTable(bits);
  CodePacker packer(out);
  int64_t sum = 0;
  for (size_t at = header; at + 1 < size; at += 2) {
    int16_t sample = static_cast<int16_t>(data[at] | data[at + 1] << 8);
    uint32_t code = NearestCode(table, sum, sample);
    sum += table[code];
    packer.Write(code, bits);
  }
  packer.Finish();
  return out;
}
