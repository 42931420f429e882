#include "graphics/packs/lzwdecode.h"

#include <cstdio>
#include <cstring>

namespace {

// Reads codes at a bit position: four bytes from position div 8 taken as a
// little-endian word, shifted and masked. Bytes past the end read as zero,
// but a code whose own bits lie past the end is refused.
class CodeReader {
 public:
  CodeReader(const uint8_t* input, size_t size) : input_(input), size_(size) {}

  bool Read(int width, int& code) {
    if (bitPosition_ + static_cast<uint64_t>(width) > static_cast<uint64_t>(size_) * 8) return false;
    size_t byte = static_cast<size_t>(bitPosition_ / 8);
    uint32_t word = 0;
    if (byte + 4 <= size_) {
      std::memcpy(&word, input_ + byte, 4);
    } else {
      for (size_t i = 0; byte + i < size_; ++i) word |= static_cast<uint32_t>(input_[byte + i]) << (8 * i);
    }
    code = static_cast<int>((word >> (bitPosition_ % 8)) & ((1u << width) - 1));
    bitPosition_ += width;
    return true;
  }

 private:
  const uint8_t* input_;
  size_t size_;
  uint64_t bitPosition_ = 0;
};

class Decoder {
 public:
  Decoder(const uint8_t* input, size_t inputSize, uint8_t* output, size_t capacity, LzwDictionary& dictionary)
      : reader_(input, inputSize), output_(output), capacity_(capacity), dictionary_(dictionary) {}

  LzwResult Run();

 private:
  bool StartSegment();
  bool WriteByte(uint8_t byte);
  // Collects the string of a code (reversed) in the fixed buffer; its length
  // or 0 when the string is longer than the buffer.
  int CollectString(int code);
  bool WriteCollected(int length);
  bool AddEntry(uint8_t lastByte);

  CodeReader reader_;
  uint8_t* output_;
  size_t capacity_;
  size_t written_ = 0;
  LzwDictionary& dictionary_;
  int width_ = kLzwMinWidth;
  int last_ = kLzwEndCode;
  int previous_ = 0;
  uint8_t string_[kLzwMaxString];
};

bool Decoder::WriteByte(uint8_t byte) {
  if (written_ >= capacity_) return false;
  output_[written_++] = byte;
  return true;
}

bool Decoder::StartSegment() {
  int code;
  if (!reader_.Read(width_, code) || code > 255) return false;
  previous_ = code;
  return WriteByte(static_cast<uint8_t>(code));
}

int Decoder::CollectString(int code) {
  int length = 0;
  while (code >= 0) {
    if (length == kLzwMaxString || code >= kLzwDictionarySize) return 0;
    const LzwDictionaryEntry& entry = dictionary_[code];
    string_[length++] = entry.lastByte;
    code = entry.prefix;
  }
  return length;
}

bool Decoder::WriteCollected(int length) {
  if (capacity_ - written_ < static_cast<size_t>(length)) return false;
  for (int i = length - 1; i >= 0; --i) output_[written_++] = string_[i];
  return true;
}

bool Decoder::AddEntry(uint8_t lastByte) {
  if (last_ + 1 >= kLzwDictionarySize) return false;
  ++last_;
  dictionary_[last_] = {lastByte, dictionary_[previous_].firstByte, static_cast<int16_t>(previous_)};
  return true;
}

LzwResult Decoder::Run() {
  for (int c = 0; c < 256; ++c) {
    dictionary_[c] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c), -1};
  }
  // Control codes never stand in the dictionary; keep their entries harmless.
  dictionary_[kLzwClearCode] = {0, 0, -1};
  dictionary_[kLzwEndCode] = {0, 0, -1};
  if (!StartSegment()) return {written_, false};
  for (;;) {
    int code;
    if (!reader_.Read(width_, code)) return {written_, false};
    if (code == kLzwEndCode) return {written_, true};
    if (code == kLzwClearCode) {
      if (width_ < kLzwMaxWidth) {
        ++width_;
      } else {
        width_ = kLzwMinWidth;
        last_ = kLzwEndCode;
        if (!StartSegment()) return {written_, false};
      }
      if (!reader_.Read(width_, code) || code == kLzwClearCode || code == kLzwEndCode) {
        return {written_, false};
      }
    }
    if (code <= last_) {
      int length = CollectString(code);
      if (length == 0 || !WriteCollected(length) || !AddEntry(string_[length - 1])) return {written_, false};
    } else {
      int length = CollectString(previous_);
      if (length == 0 || !WriteCollected(length)) return {written_, false};
      uint8_t first = string_[length - 1];
      if (!WriteByte(first) || !AddEntry(first)) return {written_, false};
      if (code != last_) std::fputs("Error1 ", stdout);
    }
    previous_ = code;
  }
}

}  // namespace

LzwResult LzwDecode(const uint8_t* input, size_t inputSize, uint8_t* output, size_t capacity,
                    LzwDictionary& dictionary) {
  return Decoder(input, inputSize, output, capacity, dictionary).Run();
}
