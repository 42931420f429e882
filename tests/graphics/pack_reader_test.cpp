#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "graphics/packs/checksum.h"
#include "graphics/packs/reader.h"
#include "pack_test_support.h"
#include "tools/packer/packwriter.h"

namespace {

std::vector<uint8_t> MakePack(const std::vector<PackInput>& inputs, bool scrambled = false, uint16_t key = 0) {
  return BuildPack(inputs, PackOptions{scrambled, key});
}

PackInput Entry(const std::string& name, const std::string& text, uint8_t method = kMethodStored,
                uint8_t attribute = 0) {
  return PackInput{name, Bytes(text), method, attribute};
}

PackDirectoryEntry* DirectoryEntry(std::vector<uint8_t>& pack, int index) {
  return reinterpret_cast<PackDirectoryEntry*>(pack.data() + sizeof(PackHeader) + 32 * (index - 1));
}

// Guards the checksum's pairing of bytes with the remaining length.
TEST(PackChecksum, WeighsBytesByRemainingLength) {
  EXPECT_EQ(PackChecksum(reinterpret_cast<const uint8_t*>("abc"), 3), 292);
  std::vector<uint8_t> large(70000, 0xFF);
  uint32_t expected = 0;
  for (size_t j = 0; j < large.size(); ++j) expected += 0xFF ^ static_cast<uint8_t>(large.size() - j);
  EXPECT_EQ(PackChecksum(large.data(), large.size()), static_cast<uint16_t>(expected));
}

// Guards scrambling: the state advances before the first byte, applying it
// twice restores, and the key 0 changes nothing.
TEST(PackScramble, KeyedAndSelfInverse) {
  uint8_t zero = 0;
  ScrambleBytes(&zero, 1, kImagePackKey);
  EXPECT_EQ(zero, 0x9D);  // 28411 * 19 mod 65536 = 0x3CA1; 0xA1 ^ 0x3C

  std::vector<uint8_t> data(1000);
  std::mt19937 random(3);
  for (uint8_t& byte : data) byte = static_cast<uint8_t>(random());
  std::vector<uint8_t> copy = data;
  ScrambleBytes(copy.data(), copy.size(), 12345);
  EXPECT_NE(copy, data);
  ScrambleBytes(copy.data(), copy.size(), 12345);
  EXPECT_EQ(copy, data);
  ScrambleBytes(copy.data(), copy.size(), 0);
  EXPECT_EQ(copy, data);
}

// Guards the failure paths of opening: each leaves no pack open and sets
// PackError to 1; a closed reader finds nothing without touching PackError.
TEST(PackOpen, UnusablePacks) {
  testing_support::ScratchFolder folder;
  std::vector<uint8_t> good = MakePack({Entry("A", "abc")});
  auto expectUnusable = [&](const std::vector<uint8_t>& bytes, const char* why) {
    folder.Write("bad.dat", bytes);
    PackError = 0;
    EXPECT_FALSE(OpenPack("bad", 0)) << why;
    EXPECT_EQ(PackError, 1) << why;
    EXPECT_FALSE(PackIsOpen()) << why;
  };
  PackError = 0;
  EXPECT_FALSE(OpenPack("missing", 0));
  EXPECT_EQ(PackError, 1);
  expectUnusable(std::vector<uint8_t>(good.begin(), good.begin() + 15), "shorter than the header");
  std::vector<uint8_t> bytes = good;
  bytes[0] = 0x95;
  expectUnusable(bytes, "first magic byte");
  bytes = good;
  bytes[1] = 0x81;
  expectUnusable(bytes, "second magic byte");
  bytes = good;
  bytes.push_back(0);
  expectUnusable(bytes, "size field differs from the file size");
  bytes = good;
  bytes[10] = 129;
  expectUnusable(bytes, "more than 128 entries");
  bytes = good;
  bytes[10] = 3;  // the directory would run past the end of the file
  expectUnusable(bytes, "directory beyond the file");

  PackError = 7;
  EXPECT_EQ(FindEntry("A"), 0);
  EXPECT_EQ(PackError, 7);
  EXPECT_EQ(EntryAttribute(1, 42), 42);
}

// Guards the name rule: ".dat" is appended only to names without any ".".
TEST(PackOpen, AppendsDatToNamesWithoutDot) {
  testing_support::ScratchFolder folder;
  folder.Write("Init/graphics.dat", MakePack({Entry("A", "abc")}));
  folder.Write("sounds.dat", MakePack({Entry("S", "xyz")}));
  EXPECT_TRUE(OpenPack("Init\\graphics", kImagePackKey));
  ClosePack();
  EXPECT_TRUE(OpenPack("sounds.dat", 0));
  ClosePack();
  folder.Write("odd.pak", MakePack({Entry("S", "xyz")}));
  EXPECT_TRUE(OpenPack("odd.pak", 0));
  ClosePack();
  EXPECT_FALSE(OpenPack("odd", 0));
}

// Guards lookup: substring, any letter case, first in directory order wins;
// a miss gives 0 and PackError 2.
TEST(PackFind, FirstEntryContainingTheText) {
  testing_support::ScratchFolder folder;
  folder.Write("p.dat", MakePack({Entry("Image", "i"), Entry("DEFBUT1", "d"), Entry("but1", "b"),
                                  Entry("prbut12", "p", kMethodStored, 9)}));
  ASSERT_TRUE(OpenPack("p", 0));
  EXPECT_EQ(PackEntryCount(), 4);
  EXPECT_EQ(FindEntry("BUT1"), 2);
  EXPECT_EQ(FindEntry("but12"), 4);
  EXPECT_EQ(FindEntry("image"), 1);
  PackError = 0;
  EXPECT_EQ(FindEntry("but3"), 0);
  EXPECT_EQ(PackError, 2);
  EXPECT_EQ(EntryAttribute(4, 0), 9);
  EXPECT_EQ(EntryAttribute(5, 77), 77);
}

// Guards extraction: size, contents, the four spare bytes, and an index
// outside the directory leaving the caller's buffer alone.
TEST(PackExtract, StoredEntryAndIndexOutsideDirectory) {
  testing_support::ScratchFolder folder;
  std::vector<uint8_t> pack = MakePack({Entry("abc", "abc")});
  EXPECT_EQ(DirectoryEntry(pack, 1)->storedChecksum, 292);
  EXPECT_EQ(DirectoryEntry(pack, 1)->unpackedChecksum, 292);
  folder.Write("p.dat", pack);
  ASSERT_TRUE(OpenPack("p", 0));
  std::vector<uint8_t> out;
  EXPECT_EQ(ExtractEntry(1, out), 3u);
  EXPECT_EQ(out, (std::vector<uint8_t>{'a', 'b', 'c', 0, 0, 0, 0}));
  std::vector<uint8_t> untouched = {1, 2, 3};
  EXPECT_EQ(ExtractEntry(2, untouched), 0u);
  EXPECT_EQ(ExtractEntry(0, untouched), 0u);
  EXPECT_EQ(untouched, (std::vector<uint8_t>{1, 2, 3}));
}

// Guards every method through builder and reader, scrambled with the image
// key, and a pack scrambled with key 0 reading like a plain one.
TEST(PackExtract, EveryMethodRoundTrips) {
  testing_support::ScratchFolder folder;
  std::vector<uint8_t> samples;
  for (int i = 0; i < 2000; ++i) {
    int16_t value = static_cast<int16_t>((i % 100) * 9);
    samples.push_back(static_cast<uint8_t>(value));
    samples.push_back(static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8));
  }
  std::string text(5000, 'x');
  for (size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
  std::vector<PackInput> inputs = {Entry("plain", text), Entry("lzw", text, kMethodLzw, 1)};
  for (uint8_t method : {24, 26, 28, 34, 36, 38}) {
    inputs.push_back(PackInput{"d" + std::to_string(method), samples, method, 0});
  }
  folder.Write("s.dat", MakePack(inputs, true, kImagePackKey));
  folder.Write("z.dat", MakePack(inputs, true, 0));
  for (auto [name, key] : {std::pair{"s", kImagePackKey}, std::pair{"z", uint16_t{0}}}) {
    ASSERT_TRUE(OpenPack(name, key));
    for (int index = 1; index <= 2; ++index) {
      std::vector<uint8_t> out;
      ASSERT_EQ(ExtractEntry(index, out), text.size());
      EXPECT_EQ(std::string(out.begin(), out.begin() + static_cast<long>(text.size())), text);
    }
    for (int index = 3; index <= 8; ++index) {
      std::vector<uint8_t> out;
      ASSERT_EQ(ExtractEntry(index, out), samples.size());
      int worst = 0;
      for (size_t i = 0; i < samples.size(); i += 2) {
        int wanted = static_cast<int16_t>(samples[i] | samples[i + 1] << 8);
        int got = static_cast<int16_t>(out[i] | out[i + 1] << 8);
        worst = std::max(worst, std::abs(wanted - got));
      }
      EXPECT_LT(worst, 300) << "entry " << index;
    }
    ClosePack();
  }
}

// Guards the refusal of methods the reader cannot decode: no undecoded buffer
// is handed out and PackError says the pack is unusable.
TEST(PackExtract, RefusesUnknownMethods) {
  testing_support::ScratchFolder folder;
  std::vector<uint8_t> pack = MakePack({Entry("a", "abc")});
  for (uint8_t method : {2, 9, 21, 25, 31, 35, 39, 255}) {
    DirectoryEntry(pack, 1)->method = method;
    folder.Write("p.dat", pack);
    ASSERT_TRUE(OpenPack("p", 0));
    PackError = 0;
    std::vector<uint8_t> out = {5};
    EXPECT_EQ(ExtractEntry(1, out), 0u) << int(method);
    EXPECT_EQ(out, std::vector<uint8_t>{5});
    EXPECT_EQ(PackError, 1);
    ClosePack();
  }
}

std::string AbortMessage(const std::string& packName, const std::vector<uint8_t>& pack, int index) {
  testing_support::ScratchFolder folder;
  folder.Write(packName, pack);
  if (!OpenPack(packName, kImagePackKey)) return "not opened";
  std::vector<uint8_t> out;
  testing_support::ProgramStop stop = testing_support::StopOf([&] { ExtractEntry(index, out); });
  return stop.kind == testing_support::StopKind::kPackAbort ? stop.what() : "no abort";
}

// Guards the two checksum messages, in code page 866, with pack name and
// index, for damaged stored bytes, a wrong key and damaged unpacked bytes.
TEST(PackExtract, DamagedEntriesEndWithTheirMessage) {
  std::vector<uint8_t> pack = MakePack({Entry("a", "abc"), Entry("b", std::string(300, 'q'), kMethodLzw)},
                                       true, kImagePackKey);
  const std::string readFailure =
      "\x8e\xe8\xa8\xa1\xaa\xa0 \xe7\xe2\xa5\xad\xa8\xef \xe4\xa0\xa9\xab\xa0 \xa4\xa0\xad\xad\xeb\xe5: d.dat\n"
      "\x8d\xa5\xa2\xa5\xe0\xad\xeb\xa9 \xaa\xae\xa4 \xa8\xab\xa8 \xaf\xae\xa2\xe0\xa5\xa6\xa4\xa5\xad\xa0 "
      "\xa7\xa0\xaf\xa8\xe1\xec 2\n";
  const std::string unpackFailure =
      "\x8e\xe8\xa8\xa1\xaa\xa0 \xa2 \xe4\xa0\xa9\xab\xa5 \xa4\xa0\xad\xad\xeb\xe5: d.dat\n"
      "\x8e\xe8\xa8\xa1\xaa\xa0 \xe0\xa0\xe1\xaf\xa0\xaa\xae\xa2\xaa\xa8 \xa7\xa0\xaf\xa8\xe1\xa8 2\n";

  std::vector<uint8_t> damaged = pack;
  damaged[DirectoryEntry(damaged, 2)->offset + 1] ^= 0x40;
  EXPECT_EQ(AbortMessage("d.dat", damaged, 2), readFailure);

  damaged = pack;
  DirectoryEntry(damaged, 2)->unpackedChecksum ^= 1;
  EXPECT_EQ(AbortMessage("d.dat", damaged, 2), unpackFailure);

  damaged = pack;
  DirectoryEntry(damaged, 2)->unpackedSize = 299;  // decodes to more than it claims
  EXPECT_EQ(AbortMessage("d.dat", damaged, 2), unpackFailure);

  damaged = pack;
  DirectoryEntry(damaged, 2)->offset = static_cast<uint32_t>(damaged.size() - 2);
  EXPECT_EQ(AbortMessage("d.dat", damaged, 2), readFailure);

  damaged = pack;
  DirectoryEntry(damaged, 2)->unpackedSize = 0x7FFFFFFF;  // more than the stored bytes can hold
  EXPECT_EQ(AbortMessage("d.dat", damaged, 2), unpackFailure);

  EXPECT_EQ(AbortMessage("d.dat", pack, 2), "no abort");
  testing_support::ScratchFolder folder;
  folder.Write("d.dat", pack);
  ASSERT_TRUE(OpenPack("d", 1));
  std::vector<uint8_t> out;
  EXPECT_EQ(testing_support::StopOf([&] { ExtractEntry(1, out); }).kind, testing_support::StopKind::kPackAbort)
      << "a wrong key must fail the stored checksum";
}

}  // namespace
