#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/rle.h"

namespace {

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& packed, size_t capacity, int32_t& produced) {
  std::vector<uint8_t> out(capacity + 8, 0xEE);  // guard bytes after the capacity
  produced = UnpackRle(packed.data(), packed.size(), out.data(), capacity);
  return out;
}

}  // namespace

// Guards against literals and runs being told apart at the wrong byte value
// or repeating the wrong number of times.
TEST(RunLength, LiteralsAndRuns) {
  int32_t produced;
  std::vector<uint8_t> out = Unpack({100, 7}, 10, produced);
  EXPECT_EQ(produced, 1);
  EXPECT_EQ(out[0], 7);

  out = Unpack({255, 0}, 200, produced);
  EXPECT_EQ(produced, 156);
  EXPECT_EQ(std::count(out.begin(), out.begin() + 156, 0), 156);
  EXPECT_EQ(out[156], 0xEE);

  out = Unpack({99}, 10, produced);
  EXPECT_EQ(produced, 1);
  EXPECT_EQ(out[0], 99);

  out = Unpack({1, 101, 200, 3}, 10, produced);
  EXPECT_EQ(produced, 4);
  EXPECT_EQ((std::vector<uint8_t>(out.begin(), out.begin() + 4)), (std::vector<uint8_t>{1, 200, 200, 3}));
}

// Guards against writing past the destination: an oversized stream reports
// how much it describes and leaves the bytes after the capacity alone.
TEST(RunLength, OversizedStreamNeverWritesPastTheDestination) {
  int32_t produced;
  std::vector<uint8_t> out = Unpack({255, 9, 255, 9}, 200, produced);
  EXPECT_EQ(produced, 312);
  EXPECT_EQ(out[199], 9);
  for (size_t i = 200; i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE);
}

// Guards against reading past the input when the last run has no value byte.
TEST(RunLength, RunCodeWithoutValueIsRefused) {
  std::vector<uint8_t> packed = {5, 6, 120};
  std::vector<uint8_t> out(100, 0xEE);
  EXPECT_EQ(UnpackRle(packed.data(), packed.size(), out.data(), out.size()), kRleTruncated);
  EXPECT_EQ(UnpackRle(packed.data(), 0, out.data(), out.size()), 0);
}

// Guards against an encoder whose output the decoder does not turn back into
// the input (values above 99 must become runs).
TEST(RunLength, PackedDataUnpacksToTheOriginal) {
  std::vector<uint8_t> data;
  for (int i = 0; i < 1000; ++i) data.push_back(static_cast<uint8_t>((i / 7) % 3 == 0 ? i % 256 : 42));
  data.insert(data.end(), 400, 255);
  std::vector<uint8_t> packed = PackRle(data.data(), data.size());
  EXPECT_LT(packed.size(), data.size());
  std::vector<uint8_t> out(data.size());
  EXPECT_EQ(UnpackRle(packed.data(), packed.size(), out.data(), out.size()),
            static_cast<int32_t>(data.size()));
  EXPECT_EQ(out, data);
}
