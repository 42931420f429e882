#include "tools/packer/lzwencode.h"

#include <stdexcept>

#include "graphics/packs/lzwdecode.h"

namespace {

// Writes codes least significant bit first.
class CodeWriter {
 public:
  void Write(int code, int width) {
    buffer_ |= static_cast<uint64_t>(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      bytes_.push_back(static_cast<uint8_t>(buffer_));
      buffer_ >>= 8;
      bits_ -= 8;
    }
  }
  std::vector<uint8_t> Finish() {
    if (bits_ > 0) bytes_.push_back(static_cast<uint8_t>(buffer_));
    bits_ = 0;
    buffer_ = 0;
    return std::move(bytes_);
  }

 private:
  std::vector<uint8_t> bytes_;
  uint64_t buffer_ = 0;
  int bits_ = 0;
};

// The dictionary as a table of (code, next byte) -> code; 0 = absent.
class Dictionary {
 public:
  Dictionary() : table_(static_cast<size_t>(kLzwMaxCode + 1) * 256, 0) {}

  uint16_t Find(int code, uint8_t byte) const { return table_[Slot(code, byte)]; }
  void Add(int code, uint8_t byte, int newCode) {
    size_t slot = Slot(code, byte);
    table_[slot] = static_cast<uint16_t>(newCode);
    used_.push_back(slot);
  }
  void Clear() {
    for (size_t slot : used_) table_[slot] = 0;
    used_.clear();
  }

 private:
  static size_t Slot(int code, uint8_t byte) { return static_cast<size_t>(code) * 256 + byte; }
  std::vector<uint16_t> table_;
  std::vector<size_t> used_;
};

class Encoder {
 public:
  std::vector<uint8_t> Run(const uint8_t* data, size_t size);

 private:
  void EmitData(int code);

  CodeWriter writer_;
  Dictionary dictionary_;
  int width_ = kLzwMinWidth;
  int nextCode_ = kLzwFirstFreeCode;  // the next entry both sides will assign
};

void Encoder::EmitData(int code) {
  // The decoder widens only when told: widen before the next code to be
  // assigned no longer fits the width.
  while (nextCode_ > (1 << width_) - 1 && width_ < kLzwMaxWidth) {
    writer_.Write(kLzwClearCode, width_);
    ++width_;
  }
  writer_.Write(code, width_);
}

std::vector<uint8_t> Encoder::Run(const uint8_t* data, size_t size) {
  if (size == 0) throw std::invalid_argument("LZW cannot encode empty data");
  int current = data[0];
  int currentLength = 1;
  for (size_t i = 1; i < size; ++i) {
    uint8_t byte = data[i];
    uint16_t extended = currentLength < kLzwMaxString ? dictionary_.Find(current, byte) : 0;
    if (extended != 0) {
      current = extended;
      ++currentLength;
      continue;
    }
    EmitData(current);
    // Reading this code, the decoder's last code becomes nextCode_ - 1; the
    // next code would take it past 4095, so reset instead of assigning.
    if (nextCode_ > kLzwMaxCode) {
      writer_.Write(kLzwClearCode, width_);
      dictionary_.Clear();
      width_ = kLzwMinWidth;
      nextCode_ = kLzwFirstFreeCode;
    } else {
      // Strings that would pass the decoder's buffer are assigned but never used.
      if (currentLength < kLzwMaxString) dictionary_.Add(current, byte, nextCode_);
      ++nextCode_;
    }
    current = byte;
    currentLength = 1;
  }
  EmitData(current);
  writer_.Write(kLzwEndCode, width_);
  return writer_.Finish();
}

}  // namespace

std::vector<uint8_t> LzwEncode(const uint8_t* data, size_t size) { return Encoder().Run(data, size); }
