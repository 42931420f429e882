#include "graphics/packs/deltadecode.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr DeltaParameters ParametersFor(int bits) {
  switch (bits) {
    case 4: return {-8, 100, 1};
    case 6: return {-32, 30, 12};
    default: return {-128, 10, 300};
  }
}

template <int Bits>
constexpr std::array<int32_t, (1 << Bits)> MakeTable() {
  DeltaParameters parameters = ParametersFor(Bits);
  std::array<int32_t, (1 << Bits)> table{};
  for (int code = 0; code < (1 << Bits); ++code) {
    int32_t i = parameters.lowestIndex + code;
    table[code] = 4 * i * i * i / parameters.divisor + parameters.factor * i;
  }
  return table;
}

constexpr std::array<int32_t, 16> kTable4 = MakeTable<4>();
constexpr std::array<int32_t, 64> kTable6 = MakeTable<6>();
constexpr std::array<int32_t, 256> kTable8 = MakeTable<8>();

// Length of the plain WAVE header: up to and including the chunk size after
// the first "data"; 0 when there is none to keep, -1 when it is damaged.
int64_t WaveHeaderLength(const uint8_t* input, size_t inputSize, size_t unpackedSize) {
  if (inputSize == 0 || input[0] != 'R') return 0;
  std::string_view stored(reinterpret_cast<const char*>(input), inputSize);
  size_t found = stored.find("data");
  if (found == std::string_view::npos) return -1;
  size_t length = found + 8;
  if (length > inputSize || length > unpackedSize) return -1;
  return static_cast<int64_t>(length);
}

}  // namespace

DeltaParameters DeltaParametersFor(int bits) { return ParametersFor(bits); }

std::span<const int32_t> DeltaTable(int bits) {
  switch (bits) {
    case 4: return kTable4;
    case 6: return kTable6;
    default: return kTable8;
  }
}

bool DeltaDecode(const uint8_t* input, size_t inputSize, uint8_t* output, size_t unpackedSize, int bits,
                 bool keepsWaveHeader) {
  if (bits != 4 && bits != 6 && bits != 8) return false;
  size_t position = 0;
  if (keepsWaveHeader) {
    int64_t header = WaveHeaderLength(input, inputSize, unpackedSize);
    if (header < 0) return false;
    std::memcpy(output, input, static_cast<size_t>(header));
    position = static_cast<size_t>(header);
  }
  uint8_t* out = output + position;
  size_t count = (unpackedSize - position) / 2;
  uint64_t neededBytes = (static_cast<uint64_t>(count) * bits + 7) / 8;
  if (neededBytes > inputSize - position) return false;

  // Bytes past the stored data are only ever read ahead, never used.
  auto nextByte = [&]() -> uint32_t { return position < inputSize ? input[position++] : 0; };
  std::span<const int32_t> table = DeltaTable(bits);
  const uint32_t mask = (1u << bits) - 1;
  uint32_t buffer = nextByte();
  int available = 8;
  uint32_t sum = 0;  // wraps: only its low 16 bits are written
  for (size_t i = 0; i < count; ++i) {
    uint32_t code = buffer & mask;
    buffer >>= bits;
    available -= bits;
    if (available <= bits) {
      buffer |= nextByte() << available;
      available += 8;
    }
    sum += static_cast<uint32_t>(table[code]);
    out[2 * i] = static_cast<uint8_t>(sum);
    out[2 * i + 1] = static_cast<uint8_t>(sum >> 8);
  }
  return true;
}
