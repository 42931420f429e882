// The one way loaders read bytes that came from a file: a bounded reader over
// a byte span. Reads past the end give zeros and set a sticky error, so a
// loader reads a whole header and checks Failed() once, instead of checking
// every field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Size() const { return bytes_.size(); }
  size_t Position() const { return position_; }
  size_t Remaining() const { return bytes_.size() - position_; }
  bool Failed() const { return failed_; }
  void Fail() { failed_ = true; }

  // Moves to an absolute position; past the end it fails (and stays at the end).
  void Seek(uint64_t position) {
    if (position > bytes_.size()) {
      failed_ = true;
      position_ = bytes_.size();
    } else {
      position_ = static_cast<size_t>(position);
    }
  }
  void Skip(uint64_t count) { Seek(position_ + count); }

  // Copies count bytes; what lies past the end is zero-filled and fails.
  void Read(void* target, size_t count) {
    const size_t available = count <= Remaining() ? count : Remaining();
    if (available) std::memcpy(target, bytes_.data() + position_, available);
    if (available < count) {
      std::memset(static_cast<uint8_t*>(target) + available, 0, count - available);
      failed_ = true;
    }
    position_ += available;
  }

  // The next count bytes as a span, or fewer when the data ends first (which
  // fails). The reader moves past them.
  std::span<const uint8_t> Take(size_t count) {
    const size_t available = count <= Remaining() ? count : Remaining();
    if (available < count) failed_ = true;
    std::span<const uint8_t> taken = bytes_.subspan(position_, available);
    position_ += available;
    return taken;
  }

  uint8_t U8() {
    uint8_t value = 0;
    Read(&value, 1);
    return value;
  }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  uint16_t U16() {
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
  }
  uint32_t U32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  }
  uint16_t U16BigEndian() {
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] << 8 | b[1]);
  }

  // True when the next bytes equal the given text (the reader does not move).
  bool Matches(const char* text, size_t count) const {
    return count <= Remaining() && std::memcmp(bytes_.data() + position_, text, count) == 0;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  bool failed_ = false;
};

// Little-endian values of a byte buffer that a loader has read whole.
inline uint16_t ReadU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }
inline uint32_t ReadU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
