// A harness's input read as a stream of little-endian numbers; zeros once it
// runs out, so that any input describes something whole.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzing {

class InputBytes {
 public:
  InputBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Left() const { return position_ < size_; }
  uint8_t Next() { return position_ < size_ ? data_[position_++] : 0; }
  uint16_t Next16() { return static_cast<uint16_t>(Next() | Next() << 8); }
  uint32_t Next32() { return Next16() | uint32_t{Next16()} << 16; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace fuzzing
