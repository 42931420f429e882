#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/packs/lzwdecode.h"
#include "tools/packer/lzwencode.h"

namespace {

// Packs (code, width) pairs least significant bit first.
std::vector<uint8_t> PackCodes(const std::vector<std::pair<int, int>>& codes) {
  std::vector<uint8_t> out;
  uint64_t buffer = 0;
  int bits = 0;
  for (auto [code, width] : codes) {
    buffer |= static_cast<uint64_t>(code) << bits;
    bits += width;
    while (bits >= 8) {
      out.push_back(static_cast<uint8_t>(buffer));
      buffer >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) out.push_back(static_cast<uint8_t>(buffer));
  return out;
}

struct Decoded {
  std::vector<uint8_t> bytes;
  bool ok;
};

Decoded Decode(const std::vector<uint8_t>& stream, size_t capacity = 1 << 20) {
  static LzwDictionary dictionary;
  std::vector<uint8_t> out(capacity);
  LzwResult result = LzwDecode(stream.data(), stream.size(), out.data(), out.size(), dictionary);
  out.resize(result.written);
  return {out, result.ok};
}

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Guards the smallest stream: one literal and the end code.
TEST(LzwDecode, SingleLiteralThenEnd) {
  Decoded result = Decode(PackCodes({{65, 9}, {257, 9}}));
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(Text(result.bytes), "A");
}

// Guards widening on 256 and the reset when 256 arrives at width 12: the
// reset must restart at 9 bits with a literal.
TEST(LzwDecode, WidensThenResetsAtTwelveBits) {
  Decoded result = Decode(PackCodes({{'A', 9}, {256, 9}, {'B', 10}, {256, 10}, {'C', 11}, {256, 11},
                                     {'D', 12}, {256, 12}, {'E', 9}, {'F', 9}, {258, 9}, {257, 9}}));
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(Text(result.bytes), "ABCDEFEF");
}

// Guards the code that is one past the dictionary (the string of the
// previous code plus its own first byte), and "Error1 " for any other.
TEST(LzwDecode, CodeBeyondDictionary) {
  testing::internal::CaptureStdout();
  Decoded next = Decode(PackCodes({{'A', 9}, {258, 9}, {257, 9}}));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(Text(next.bytes), "AAA");

  testing::internal::CaptureStdout();
  Decoded far = Decode(PackCodes({{'A', 9}, {300, 9}, {257, 9}}));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error1 ");
  EXPECT_TRUE(far.ok);
  EXPECT_EQ(Text(far.bytes), "AAA");
}

// Guards the fixed 65-byte string buffer: a chain of codes that grows one
// byte per code decodes up to 65 bytes and is refused beyond, not overflowed.
TEST(LzwDecode, StringsUpToSixtyFiveBytes) {
  std::vector<std::pair<int, int>> codes = {{'A', 9}};
  for (int code = 258; code <= 321; ++code) codes.push_back({code, 9});  // lengths 2 .. 65
  std::vector<std::pair<int, int>> longest = codes;
  longest.push_back({321, 9});
  longest.push_back({257, 9});
  Decoded fits = Decode(PackCodes(longest));
  EXPECT_TRUE(fits.ok);
  EXPECT_EQ(fits.bytes.size(), 65u * 66 / 2 + 65);

  codes.push_back({322, 9});  // makes a 66-byte entry ...
  codes.push_back({322, 9});  // ... and uses it
  codes.push_back({257, 9});
  EXPECT_FALSE(Decode(PackCodes(codes)).ok);
}

// Guards the bounds: a stream without its end code, an output that does not
// fit, and a control code where data must stand are refused.
TEST(LzwDecode, RefusesMalformedStreams) {
  EXPECT_FALSE(Decode(PackCodes({{'A', 9}, {'B', 9}})).ok);
  EXPECT_FALSE(Decode({}).ok);
  EXPECT_FALSE(Decode(PackCodes({{300, 9}, {257, 9}})).ok);
  EXPECT_FALSE(Decode(PackCodes({{'A', 9}, {256, 9}, {256, 10}, {257, 10}})).ok);

  std::vector<uint8_t> stream = PackCodes({{'A', 9}, {258, 9}, {259, 9}, {257, 9}});
  LzwDictionary dictionary;
  std::vector<uint8_t> out(8, 0xEE);
  LzwResult result = LzwDecode(stream.data(), stream.size(), out.data(), 4, dictionary);
  EXPECT_FALSE(result.ok);
  EXPECT_LE(result.written, 4u);
  for (size_t i = 4; i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE) << "written past the capacity at " << i;
}

// Walks an encoded stream the way the decoder does and checks the promises
// the decoder relies on without checking them itself.
struct StreamFacts {
  int resets = 0;
  int widenings = 0;
  int highestLast = 0;
  bool codesBeyondNext = false;
  bool controlAfterControl = false;
};

StreamFacts Walk(const std::vector<uint8_t>& stream) {
  StreamFacts facts;
  uint64_t position = 0;
  auto read = [&](int width) {
    uint32_t word = 0;
    for (int i = 0; i < 4 && position / 8 + i < stream.size(); ++i) {
      word |= static_cast<uint32_t>(stream[position / 8 + i]) << (8 * i);
    }
    int code = static_cast<int>((word >> (position % 8)) & ((1u << width) - 1));
    position += width;
    return code;
  };
  int width = 9;
  int last = 257;
  read(width);
  while (position <= stream.size() * 8) {
    int code = read(width);
    if (code == 257) break;
    if (code == 256) {
      if (width < 12) {
        ++width;
        ++facts.widenings;
      } else {
        width = 9;
        last = 257;
        ++facts.resets;
        read(width);
      }
      code = read(width);
      if (code == 256 || code == 257) facts.controlAfterControl = true;
    }
    if (code > last + 1) facts.codesBeyondNext = true;
    ++last;
    facts.highestLast = std::max(facts.highestLast, last);
  }
  return facts;
}

void ExpectRoundTrip(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> stream = LzwEncode(data.data(), data.size());
  testing::internal::CaptureStdout();
  Decoded decoded = Decode(stream, data.size() + 4);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "size " << data.size();
  ASSERT_TRUE(decoded.ok) << "size " << data.size();
  EXPECT_EQ(decoded.bytes, data) << "size " << data.size();
  StreamFacts facts = Walk(stream);
  EXPECT_LE(facts.highestLast, 4095) << "size " << data.size();
  EXPECT_FALSE(facts.codesBeyondNext);
  EXPECT_FALSE(facts.controlAfterControl);
}

// Guards the encoder against every decoder promise on random data of many
// sizes (sizes that end right at widenings and resets included).
TEST(LzwRoundTrip, RandomDataOfManySizes) {
  std::mt19937 random(7);
  for (size_t size : {1, 2, 3, 100, 253, 254, 255, 256, 257, 511, 1000, 2047, 3838, 3839, 3840, 5000, 65536,
                      200000}) {
    std::vector<uint8_t> data(size);
    for (uint8_t& byte : data) byte = static_cast<uint8_t>(random());
    ExpectRoundTrip(data);
  }
  std::vector<uint8_t> large(300000);
  for (uint8_t& byte : large) byte = static_cast<uint8_t>(random());
  EXPECT_GT(Walk(LzwEncode(large.data(), large.size())).resets, 10);
}

// Guards the 65-byte limit and the widenings on highly repetitive data,
// where strings grow as long as the encoder lets them.
TEST(LzwRoundTrip, RepetitiveData) {
  for (size_t size : {1, 2, 64, 65, 66, 2145, 2146, 2211, 10000, 100000, 1000000}) {
    ExpectRoundTrip(std::vector<uint8_t>(size, 0));
  }
  std::vector<uint8_t> pattern;
  for (int i = 0; i < 400000; ++i) pattern.push_back(static_cast<uint8_t>("tervane"[i % 7] + (i / 5000) % 3));
  ExpectRoundTrip(pattern);
  std::vector<uint8_t> zeros(300000, 0);
  StreamFacts facts = Walk(LzwEncode(zeros.data(), zeros.size()));
  EXPECT_GE(facts.widenings, 3);
  EXPECT_GE(facts.resets, 1);
}

}  // namespace
